#include "viewer/MVRecipientItemNumber.h"

#include "common/CommonUtil.h"

#include <cstring>

namespace msg_app {
namespace msg_viewer {

namespace {

// The sizes a number may take, largest first, its font, and its room: a share of the row's width
// that stays inside the circle low on the screen.
constexpr int NUMBER_SIZES[] = {32, 28, 24, 20};
constexpr const char* NUMBER_FONT = "Sans";
constexpr double NUMBER_ROOM = 0.6;

} // namespace

MVRecipientItemNumber::MVRecipientItemNumber(std::shared_ptr<MCommonAddr> addr) : _addr(std::move(addr)) {}

Elm_Genlist_Item_Class* MVRecipientItemNumber::getItemClassStatic() {
    static Elm_Genlist_Item_Class* itc = [] {
        Elm_Genlist_Item_Class* cls = elm_genlist_item_class_new();
        cls->item_style = "1text.centred";
        cls->func.text_get = _textGetCb;
        cls->func.del = WGenlistItem::delCb;
        return cls;
    }();
    return itc;
}

void MVRecipientItemNumber::onSelect(Elm_Object_Item* item) {
    elm_genlist_item_selected_set(item, EINA_FALSE);
    if (_onSelect)
        _onSelect(_addr);
}

// The largest of the row's sizes at which a number fits its room whole: a number cut is no number.
int MVRecipientItemNumber::_numberSize(Evas_Object* genlist, const std::string& number) {
    int width = 0;
    evas_object_geometry_get(genlist, nullptr, nullptr, &width, nullptr);
    int room = static_cast<int>(width * NUMBER_ROOM);
    double scale = elm_config_scale_get();
    Evas_Object* measure = evas_object_text_add(evas_object_evas_get(genlist));
    int chosen = NUMBER_SIZES[sizeof(NUMBER_SIZES) / sizeof(NUMBER_SIZES[0]) - 1];
    for (int size : NUMBER_SIZES) {
        evas_object_text_font_set(measure, NUMBER_FONT, static_cast<int>(size * scale + 0.5));
        evas_object_text_text_set(measure, number.c_str());
        int w = 0;
        evas_object_geometry_get(measure, nullptr, nullptr, &w, nullptr);
        if (w <= room) {
            chosen = size;
            break;
        }
    }
    evas_object_del(measure);
    return chosen;
}

char* MVRecipientItemNumber::_textGetCb(void* data, Evas_Object* obj, const char* part) {
    auto* self = static_cast<MVRecipientItemNumber*>(data);
    if (!self || !part || (strcmp(part, "elm.text") != 0 && strcmp(part, "elm.text.1") != 0))
        return nullptr;
    // Already markup: names and numbers are escaped by the address. A number is shown formatted,
    // as it is read: one formatting per row.
    std::string name;
    int formatBudget = 1;
    MCommonAddr::getDisplayName(self->_addr, name, nullptr, &formatBudget);
    std::string plain = name;
    common_util::del_ltr_mark(plain);
    if (common_util::is_screen_reader_enabled())
        name = plain;
    if (!plain.empty() && obj && common_util::is_phone_number(plain.c_str()))
        name = "<font_size=" + std::to_string(_numberSize(obj, plain)) + ">" + name + "</font_size>";
    return name.empty() ? nullptr : strdup(name.c_str());
}

} // namespace msg_viewer
} // namespace msg_app
