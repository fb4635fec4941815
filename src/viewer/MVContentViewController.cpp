#include "viewer/MVContentViewController.h"

#include "common/CommonUiHelper.h"
#include "common/MsgLog.h"
#include "common/addr/MCommonAddrMgr.h"
#include "msg_store/MessageManager.h"

#include <cstdlib>
#include <vector>

namespace msg_app {
namespace msg_viewer {

namespace {

constexpr int SIDE_MARGIN = 50;
constexpr int TOP_MARGIN = 60;

// User text never reaches a label as markup.
std::string escaped(const std::string& text) {
    char* markup = elm_entry_utf8_to_markup(text.c_str());
    std::string out = markup ? markup : "";
    free(markup);
    return out;
}

} // namespace

MVContentViewController::MVContentViewController(int threadId) : _threadId(threadId) {
    MSG_LOGI("threadId : %d", threadId);
}

MVContentViewController::~MVContentViewController() = default;

Evas_Object* MVContentViewController::_addLabel(Evas_Object* box, const std::string& markup) {
    Evas_Object* label = elm_label_add(box);
    MSG_RETV_IF(!label, nullptr, "elm_label_add() failed");
    elm_label_line_wrap_set(label, ELM_WRAP_MIXED);
    elm_object_text_set(label, markup.c_str());
    evas_object_size_hint_weight_set(label, EVAS_HINT_EXPAND, 0.0);
    evas_object_size_hint_align_set(label, EVAS_HINT_FILL, 0.0);
    // Side margins keep the text inside the round screen.
    evas_object_size_hint_padding_set(label, SIDE_MARGIN, SIDE_MARGIN, 0, 0);
    elm_box_pack_end(box, label);
    evas_object_show(label);
    return label;
}

Evas_Object* MVContentViewController::onCreateView(Evas_Object* parent, void* /*param*/) {
    std::shared_ptr<MCommonConvAddr> convAddr;
    if (MCommonAddrMgr::getInstance()->getConvAddr(_threadId, convAddr) && convAddr)
        convAddr->getDisplayName(_title, false);
    if (_title.empty())
        _title = common_ui_helper::get_text("WDS_WNOTI_HEADER_UNKNOWN_M_SENDER");

    Evas_Object* scroller = elm_scroller_add(parent);
    MSG_RETV_IF(!scroller, nullptr, "elm_scroller_add() failed");
    elm_scroller_policy_set(scroller, ELM_SCROLLER_POLICY_OFF, ELM_SCROLLER_POLICY_AUTO);
    Evas_Object* box = elm_box_add(scroller);
    elm_box_padding_set(box, 0, 16);
    evas_object_size_hint_weight_set(box, EVAS_HINT_EXPAND, 0.0);
    evas_object_size_hint_align_set(box, EVAS_HINT_FILL, 0.0);
    evas_object_show(box);
    elm_object_content_set(scroller, box);

    Evas_Object* top = evas_object_rectangle_add(evas_object_evas_get(box));
    evas_object_color_set(top, 0, 0, 0, 0);
    evas_object_size_hint_min_set(top, 1, TOP_MARGIN);
    elm_box_pack_end(box, top);
    _addLabel(box, "<align=center><font_size=30><color=#4dcfff>" + escaped(_title) +
                       "</color></font_size></align>");
    std::vector<msg_store::Conversation> messages;
    if (msg_store::MessageManager().getConversations(_threadId, messages) != msg_store::MSG_STORE_SUCCESS)
        MSG_LOGE("getConversations(%d) failed", _threadId);
    size_t first = messages.size() > MAX_SHOWN_MESSAGES ? messages.size() - MAX_SHOWN_MESSAGES : 0;
    for (size_t i = first; i < messages.size(); ++i) {
        const msg_store::Conversation& msg = messages[i];
        const std::string& text = msg.text.empty() ? msg.subject : msg.text;
        _addLabel(box, "<font_size=26><color=#ffffff>" + escaped(text) + "</color></font_size>");
    }
    evas_object_show(scroller);
    return scroller;
}

} // namespace msg_viewer
} // namespace msg_app
