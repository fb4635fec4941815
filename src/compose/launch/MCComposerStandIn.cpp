#include "compose/MCComposerStandIn.h"

#include "common/CommonUiHelper.h"
#include "common/MsgLog.h"

#include <string>

namespace msg_app {
namespace compose {

namespace {

constexpr int SIDE_MARGIN = 50;

Evas_Object* addLabel(Evas_Object* box, const char* textId, const char* format) {
    Evas_Object* label = elm_label_add(box);
    MSG_RETV_IF(!label, nullptr, "elm_label_add() failed");
    elm_label_line_wrap_set(label, ELM_WRAP_MIXED);
    // The texts are our own translations, not user text.
    std::string markup = std::string(format) + common_ui_helper::get_text(textId) + "</>";
    elm_object_text_set(label, markup.c_str());
    evas_object_size_hint_weight_set(label, EVAS_HINT_EXPAND, 0.0);
    evas_object_size_hint_align_set(label, EVAS_HINT_FILL, 0.5);
    evas_object_size_hint_padding_set(label, SIDE_MARGIN, SIDE_MARGIN, 0, 0);
    elm_box_pack_end(box, label);
    evas_object_show(label);
    return label;
}

} // namespace

Evas_Object* MCComposerStandIn::onCreateView(Evas_Object* parent, void* /*param*/) {
    Evas_Object* box = elm_box_add(parent);
    MSG_RETV_IF(!box, nullptr, "elm_box_add() failed");
    elm_box_padding_set(box, 0, 24);
    evas_object_size_hint_weight_set(box, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    addLabel(box, TITLE_ID, "<align=center><font_size=32><color=#4dcfff>");
    addLabel(box, _noteId, "<align=center><font_size=26><color=#ffffff>");
    evas_object_show(box);
    return box;
}

} // namespace compose
} // namespace msg_app
