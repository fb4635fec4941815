#include "viewer/MVItem/MVBubbleSizer.h"

#include "common/MsgLog.h"
#include "viewer/MVItem/MVItem.h"
#include "viewer/MVItem/MVItemBubble.h"

#include <Edje.h>

#include <utility>

namespace msg_app {
namespace msg_viewer {

namespace {
// Room the bubble keeps around its text (as the theme has it).
constexpr int BUBBLE_PAD_H = 18;
constexpr int BUBBLE_PAD_V = 12;
} // namespace

MVBubbleSizer::MVBubbleSizer(Evas_Object* parent) : _parent(parent) {
    if (_parent)
        evas_object_event_callback_add(_parent, EVAS_CALLBACK_DEL, _parentDelCb, this);
}

MVBubbleSizer::~MVBubbleSizer() {
    for (auto& entry : _entries) {
        if (!entry.second)
            continue;
        evas_object_event_callback_del_full(entry.second, EVAS_CALLBACK_DEL, _entryDelCb, this);
        evas_object_del(entry.second);
    }
    if (_parent)
        evas_object_event_callback_del_full(_parent, EVAS_CALLBACK_DEL, _parentDelCb, this);
}

bool MVBubbleSizer::measure(const char* style, const std::string& markup, int& width, int& height) {
    MSG_RETV_IF(!style, false, "no style");
    const char* font = nullptr;
    Evas_Font_Size fontSize = 0;
    edje_text_class_get(MVItemBubble::BODY_TEXT_CLASS, &font, &fontSize);
    int maxW = MVItem::scaled(MVItemBubble::MAX_W);
    std::string key = std::string(style) + '\n' + markup;
    auto found = _sizes.find(key);
    if (found != _sizes.end() && found->second.fontSize == fontSize && found->second.maxW == maxW) {
        width = found->second.width;
        height = found->second.height;
        return true;
    }
    Evas_Object* entry = _entryFor(style);
    MSG_RETV_IF(!entry, false, "no entry to measure on");
    elm_object_text_set(entry, markup.c_str());
    if (!measureEntry(entry, width, height))
        return false;
    _sizes[std::move(key)] = {fontSize, maxW, width, height};
    return true;
}

bool MVBubbleSizer::measureEntry(Evas_Object* entry, int& width, int& height) {
    Evas_Object* textblock = entry ? elm_entry_textblock_get(entry) : nullptr;
    MSG_RETV_IF(!textblock, false, "no textblock");
    // One layout at the widest width tells how wide the longest line is; the bubble then
    // shrinks to it, and a second layout at that width tells its height.
    int maxW = MVItem::scaled(MVItemBubble::MAX_W);
    int paddingW = MVItem::scaled(2 * BUBBLE_PAD_H + 4);
    evas_object_resize(entry, maxW, 0);
    evas_object_smart_calculate(entry);
    Evas_Coord textW = 0, textH = 0;
    evas_object_textblock_size_formatted_get(textblock, &textW, &textH);
    width = textW + paddingW > maxW ? maxW : textW + paddingW;
    evas_object_resize(entry, width, 0);
    evas_object_smart_calculate(entry);
    evas_object_textblock_size_formatted_get(textblock, &textW, &textH);
    height = textH + MVItem::scaled(2 * BUBBLE_PAD_V);
    return true;
}

Evas_Object* MVBubbleSizer::addEntry(Evas_Object* parent, const char* style) {
    Evas_Object* entry = elm_entry_add(parent);
    MSG_RETV_IF(!entry, nullptr, "elm_entry_add failed");
    // Each of these loads the entry's theme again: the style goes first, so that the theme of
    // the default style is never loaded; single line and scrolling are off by default.
    elm_object_style_set(entry, style);
    elm_entry_line_wrap_set(entry, ELM_WRAP_MIXED);
    elm_entry_editable_set(entry, EINA_FALSE);
    elm_entry_select_allow_set(entry, EINA_FALSE);
    elm_object_focus_allow_set(entry, EINA_FALSE);
    return entry;
}

Evas_Object* MVBubbleSizer::_entryFor(const char* style) {
    MSG_RETV_IF(!style || !_parent, nullptr, "no style or parent");
    auto found = _entries.find(style);
    if (found != _entries.end())
        return found->second;
    Evas_Object* entry = addEntry(_parent, style);
    MSG_RETV_IF(!entry, nullptr, "no entry");
    elm_entry_item_provider_append(entry, _itemCb, nullptr);
    evas_object_event_callback_add(entry, EVAS_CALLBACK_DEL, _entryDelCb, this);
    evas_object_hide(entry);
    _entries[style] = entry;
    return entry;
}

Evas_Object* MVBubbleSizer::_itemCb(void* /*data*/, Evas_Object* entry, const char* /*item*/) {
    // Every item of a bubble has its size in the markup: a blank stands in for what it draws.
    Evas_Object* blank = evas_object_rectangle_add(evas_object_evas_get(entry));
    evas_object_color_set(blank, 0, 0, 0, 0);
    return blank;
}

void MVBubbleSizer::_entryDelCb(void* data, Evas* /*e*/, Evas_Object* obj, void* /*eventInfo*/) {
    for (auto& entry : static_cast<MVBubbleSizer*>(data)->_entries)
        if (entry.second == obj)
            entry.second = nullptr;
}

void MVBubbleSizer::_parentDelCb(void* data, Evas* /*e*/, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    static_cast<MVBubbleSizer*>(data)->_parent = nullptr;
}

} // namespace msg_viewer
} // namespace msg_app
