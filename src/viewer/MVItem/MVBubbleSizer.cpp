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
// Height a text is laid out in: lines wrap at the width alone.
constexpr int UNBOUNDED_H = 100000;
} // namespace

MVBubbleSizer::MVBubbleSizer(Evas_Object* parent) : _parent(parent) {
    if (_parent)
        evas_object_event_callback_add(_parent, EVAS_CALLBACK_DEL, _parentDelCb, this);
}

MVBubbleSizer::~MVBubbleSizer() {
    for (auto& found : _measurers) {
        for (Evas_Object* obj : {found.second.entry, found.second.textblock}) {
            if (!obj)
                continue;
            evas_object_event_callback_del_full(obj, EVAS_CALLBACK_DEL, _objectDelCb, this);
            evas_object_del(obj);
        }
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
    Measurer* measurer = _measurerFor(style, fontSize, maxW);
    MSG_RETV_IF(!measurer, false, "nothing to measure on");
    evas_object_textblock_text_markup_set(measurer->textblock, markup.c_str());
    _layOut(*measurer, maxW, width, height);
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

MVBubbleSizer::Measurer* MVBubbleSizer::_measurerFor(const char* style, int fontSize, int maxW) {
    MSG_RETV_IF(!_parent, nullptr, "no parent");
    Measurer& measurer = _measurers[style];
    if (!measurer.entry) {
        measurer.entry = addEntry(_parent, style);
        MSG_RETV_IF(!measurer.entry, nullptr, "no entry");
        evas_object_event_callback_add(measurer.entry, EVAS_CALLBACK_DEL, _objectDelCb, this);
        evas_object_hide(measurer.entry);
    }
    if (!measurer.textblock) {
        measurer.textblock = evas_object_textblock_add(evas_object_evas_get(_parent));
        MSG_RETV_IF(!measurer.textblock, nullptr, "no textblock");
        evas_object_event_callback_add(measurer.textblock, EVAS_CALLBACK_DEL, _objectDelCb, this);
        evas_object_hide(measurer.textblock);
        measurer.fontSize = -1;
    }
    // A text size or theme of its own since: the entry's layout is taken again.
    if (measurer.fontSize != fontSize || measurer.maxW != maxW ||
        evas_object_textblock_style_get(measurer.textblock) !=
            evas_object_textblock_style_get(elm_entry_textblock_get(measurer.entry)))
        _takeLayoutOf(measurer, maxW);
    measurer.fontSize = fontSize;
    return &measurer;
}

void MVBubbleSizer::_takeLayoutOf(Measurer& measurer, int maxW) {
    // The entry lays its text out at its widest: its theme works the style out for the text size now
    // in force, and places the text inside the bubble's padding. The textblock then lays texts out
    // as the entry's own would, without the widget around it.
    elm_object_text_set(measurer.entry, "");
    evas_object_resize(measurer.entry, maxW, 0);
    edje_object_calc_force(elm_layout_edje_get(measurer.entry));
    evas_object_smart_calculate(measurer.entry);
    Evas_Object* shown = elm_entry_textblock_get(measurer.entry);
    Evas_Coord shownW = 0;
    evas_object_geometry_get(shown, nullptr, nullptr, &shownW, nullptr);
    measurer.inset = maxW - shownW;
    measurer.maxW = maxW;
    evas_object_textblock_style_set(measurer.textblock, evas_object_textblock_style_get(shown));
    evas_object_scale_set(measurer.textblock, evas_object_scale_get(shown));
    evas_object_paragraph_direction_set(measurer.textblock, evas_object_paragraph_direction_get(shown));
    evas_object_textblock_legacy_newline_set(measurer.textblock,
                                             evas_object_textblock_legacy_newline_get(shown));
}

void MVBubbleSizer::_layOut(const Measurer& measurer, int maxW, int& width, int& height) {
    // As measureEntry does, on the text alone: at the widest width, then at the bubble's.
    int paddingW = MVItem::scaled(2 * BUBBLE_PAD_H + 4);
    Evas_Coord textW = 0, textH = 0;
    evas_object_resize(measurer.textblock, maxW - measurer.inset, UNBOUNDED_H);
    evas_object_textblock_size_formatted_get(measurer.textblock, &textW, &textH);
    width = textW + paddingW > maxW ? maxW : textW + paddingW;
    evas_object_resize(measurer.textblock, width - measurer.inset, UNBOUNDED_H);
    evas_object_textblock_size_formatted_get(measurer.textblock, &textW, &textH);
    height = textH + MVItem::scaled(2 * BUBBLE_PAD_V);
}

void MVBubbleSizer::_objectDelCb(void* data, Evas* /*e*/, Evas_Object* obj, void* /*eventInfo*/) {
    for (auto& found : static_cast<MVBubbleSizer*>(data)->_measurers) {
        Measurer& measurer = found.second;
        if (measurer.entry == obj)
            measurer.entry = nullptr;
        if (measurer.textblock == obj)
            measurer.textblock = nullptr;
    }
}

void MVBubbleSizer::_parentDelCb(void* data, Evas* /*e*/, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    static_cast<MVBubbleSizer*>(data)->_parent = nullptr;
}

} // namespace msg_viewer
} // namespace msg_app
