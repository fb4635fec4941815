#include "FloorGenlist.h"

#include "MainLoop.h"

#include <cstdlib>
#include <cstring>

namespace msg_bench {

namespace {

constexpr int SIZE = 360;
// A bubble's text as the conversation's theme sets it: its size, the time line's, and how wide
// a bubble wraps.
constexpr const char* BUBBLE_TEXT = "<font_size=28>";
constexpr const char* BUBBLE_TIME = "</font_size><br><font_size=22>12:45 PM</font_size>";
constexpr int BUBBLE_WRAP = 260;
constexpr int ICON = 32;
// A conversation's row is as tall as the list's: as many rows are in view.
constexpr int CONVERSATION_ROW_H = 124;

} // namespace

FloorGenlist::FloorGenlist(Rows rows, std::vector<std::string> texts)
    : _rows(rows), _texts(std::move(texts)) {
    _win = elm_win_add(nullptr, "floor", ELM_WIN_BASIC);
    Evas_Object* bg = elm_bg_add(_win);
    evas_object_size_hint_weight_set(bg, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    elm_win_resize_object_add(_win, bg);
    evas_object_show(bg);
    _itc = elm_genlist_item_class_new();
    _itc->item_style = rows == Rows::BUBBLES ? "full" : "double_label";
    _itc->func.text_get = rows == Rows::BUBBLES ? nullptr : _textCb;
    _itc->func.content_get = _contentCb;
    _itc->func.del = _delCb;
    _genlist = elm_genlist_add(_win);
    elm_genlist_mode_set(_genlist, ELM_LIST_COMPRESS);
    elm_genlist_homogeneous_set(_genlist, rows == Rows::CONVERSATIONS);
    evas_object_size_hint_weight_set(_genlist, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    elm_win_resize_object_add(_win, _genlist);
    evas_object_show(_genlist);
    for (size_t i = 0; i < _texts.size(); ++i)
        _add(i, false);
    evas_object_resize(_win, SIZE, SIZE);
    evas_object_show(_win);
}

FloorGenlist::~FloorGenlist() {
    evas_object_del(_win);
    elm_genlist_item_class_free(_itc);
}

bool FloorGenlist::settle(double timeoutSeconds) {
    return msg_test::runLoopUntilIdle(timeoutSeconds);
}

void FloorGenlist::moveLastToTop() {
    Elm_Object_Item* last = elm_genlist_last_item_get(_genlist);
    if (!last)
        return;
    size_t index = static_cast<Row*>(elm_object_item_data_get(last))->index;
    elm_object_item_del(last);
    _add(index, true);
}

Elm_Object_Item* FloorGenlist::_add(size_t index, bool atTop) {
    auto* row = new Row{this, index};
    return atTop ? elm_genlist_item_prepend(_genlist, _itc, row, nullptr, ELM_GENLIST_ITEM_NONE, nullptr,
                                            nullptr)
                 : elm_genlist_item_append(_genlist, _itc, row, nullptr, ELM_GENLIST_ITEM_NONE, nullptr,
                                           nullptr);
}

char* FloorGenlist::_textCb(void* data, Evas_Object*, const char* part) {
    auto* row = static_cast<Row*>(data);
    if (!std::strcmp(part, "elm.text"))
        return strdup(row->list->_texts[row->index].c_str());
    if (!std::strcmp(part, "elm.text.sub"))
        return strdup("A new message for the benchmark");
    return nullptr;
}

Evas_Object* FloorGenlist::_contentCb(void* data, Evas_Object* obj, const char* part) {
    auto* row = static_cast<Row*>(data);
    if (row->list->_rows == Rows::CONVERSATIONS) {
        // An unread badge at the end, and a strut at the start that makes the row as tall as ours.
        bool end = !std::strcmp(part, "elm.swallow.end");
        if (!end && std::strcmp(part, "elm.swallow.icon") != 0)
            return nullptr;
        Evas_Object* icon = evas_object_rectangle_add(evas_object_evas_get(obj));
        evas_object_size_hint_min_set(icon, end ? ICON : 1, end ? ICON : CONVERSATION_ROW_H);
        evas_object_color_set(icon, 0, end ? 110 : 0, end ? 220 : 0, end ? 255 : 0);
        return icon;
    }
    if (std::strcmp(part, "elm.swallow.content") != 0)
        return nullptr;
    Evas_Object* label = elm_label_add(obj);
    elm_label_line_wrap_set(label, ELM_WRAP_MIXED);
    elm_label_wrap_width_set(label, BUBBLE_WRAP);
    char* text = elm_entry_utf8_to_markup(row->list->_texts[row->index].c_str());
    elm_object_text_set(label, (BUBBLE_TEXT + std::string(text ? text : "") + BUBBLE_TIME).c_str());
    std::free(text);
    return label;
}

void FloorGenlist::_delCb(void* data, Evas_Object*) {
    delete static_cast<Row*>(data);
}

} // namespace msg_bench
