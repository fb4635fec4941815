#include "block/MBItem/MBItem.h"

#include "common/MsgLog.h"

#include <glib.h>

#include <cstdlib>
#include <cstring>

namespace msg_app {
namespace msg_block {

MBItem::MBItem(const char* itemStyle) : _itemStyle(itemStyle) {}

Elm_Genlist_Item_Class* MBItem::getItemClassNew() {
    Elm_Genlist_Item_Class* itc = WGenlistItem::getItemClassNew();
    if (!itc)
        return nullptr;
    itc->item_style = _itemStyle;
    itc->func.text_get = _textGetCb;
    itc->func.content_get = _contentGetCb;
    return itc;
}

void MBItem::onSetElmObjectItem(Elm_Object_Item* item) {
    elm_genlist_item_select_mode_set(item, ELM_OBJECT_SELECT_MODE_NONE);
    setAccessInfo();
}

std::string MBItem::getText(const char* /*part*/) const {
    return std::string();
}

Evas_Object* MBItem::getContent(Evas_Object* /*parent*/, const char* /*part*/) {
    return nullptr;
}

std::string MBItem::toMarkup(const std::string& text) {
    gchar* valid = g_utf8_make_valid(text.c_str(), static_cast<gssize>(text.size()));
    std::string plain = valid ? valid : "";
    g_free(valid);
    if (plain.size() > MAX_SHOWN_BYTES) {
        MSG_LOGW("text of %zu bytes is cut to %zu", plain.size(), MAX_SHOWN_BYTES);
        const char* end = g_utf8_find_prev_char(plain.c_str(), plain.c_str() + MAX_SHOWN_BYTES + 1);
        plain.resize(end ? static_cast<size_t>(end - plain.c_str()) : 0);
        plain += "\xE2\x80\xA6"; // an ellipsis says that more follows
    }
    // Line breaks and tabs stay, a carriage return left of a CR LF pair goes; other control
    // characters would draw as boxes.
    std::string shown;
    shown.reserve(plain.size());
    for (char c : plain) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (c == '\r')
            continue;
        shown += (byte < 0x20 && c != '\n' && c != '\t') || byte == 0x7F ? ' ' : c;
    }
    char* markup = elm_entry_utf8_to_markup(shown.c_str());
    std::string out = markup ? markup : "";
    std::free(markup);
    return out;
}

int MBItem::scaled(int size) {
    double base = elm_app_base_scale_get();
    if (base <= 0.0)
        base = 1.0;
    return static_cast<int>(size * elm_config_scale_get() / base + 0.5);
}

char* MBItem::_textGetCb(void* data, Evas_Object* /*obj*/, const char* part) {
    std::string text = static_cast<MBItem*>(data)->getText(part);
    return text.empty() ? nullptr : strdup(text.c_str());
}

Evas_Object* MBItem::_contentGetCb(void* data, Evas_Object* obj, const char* part) {
    return static_cast<MBItem*>(data)->getContent(obj, part);
}

} // namespace msg_block
} // namespace msg_app
