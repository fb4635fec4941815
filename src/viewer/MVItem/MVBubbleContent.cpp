// First: it opens the accessibility API before Elementary is included.
#include "common/popup/AccessApi.h"

#include "viewer/MVItem/MVBubbleContent.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/ui/CommonUiHelperAccess.h"
#include "qel.h"
#include "viewer/MVItem/IMVBubbleActions.h"
#include "viewer/MVItem/MVBubbleMarkup.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/media/MVAttachmentViewController.h"
#include "viewer/media/MVAudioViewController.h"
#include "viewer/media/MVImageViewController.h"

#include <glib.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace msg_app {
namespace msg_viewer {

namespace {

// Marks the objects drawn for items, on the entry's theme object that holds them.
constexpr const char* ITEM_KEY = "msg.viewer.bubble_item";

// A theme group as a plain theme object on the parent's canvas.
Evas_Object* themeObject(Evas_Object* parent, const char* file, const char* group) {
    Evas_Object* obj = edje_object_add(evas_object_evas_get(parent));
    if (!edje_object_file_set(obj, file, group)) {
        MSG_LOGE("theme group %s cannot be loaded", group);
        evas_object_del(obj);
        return nullptr;
    }
    return obj;
}

Evas_Object* themeIcon(Evas_Object* parent, const char* group) {
    Evas_Object* icon = elm_image_add(parent);
    if (!elm_image_file_set(icon, common_util::get_image_edj().c_str(), group))
        MSG_LOGE("image group %s cannot be loaded", group);
    return icon;
}

// The numbers after the token, "a.b.c"; false when any is not a whole decimal number.
bool parseNumbers(const char* text, std::vector<int>& out) {
    if (!text || !*text)
        return false;
    gchar** parts = g_strsplit(text, ".", -1);
    bool ok = true;
    for (gchar** p = parts; *p && ok; ++p) {
        char* end = nullptr;
        long value = strtol(*p, &end, 10);
        ok = end != *p && *end == '\0' && value >= 0 && value <= 100000;
        out.push_back(static_cast<int>(value));
    }
    g_strfreev(parts);
    return ok;
}

// A picture, clip, sound or file of the bubble is a button a reader names by what it holds.
void nameMedia(Evas_Object* view, const char* nameId, const std::string& text = std::string()) {
    if (!view || !MVItem::isReaderOn())
        return;
    if (nameId)
        common_ui_helper::set_access_name_role(view, nameId, EFL_ACCESS_ROLE_PUSH_BUTTON);
    else
        common_ui_helper::set_access_text_role(view, text, EFL_ACCESS_ROLE_PUSH_BUTTON);
}

// Creates the controller's view on the parent; the view owns the controller from then on.
template <typename Controller> Controller* created(Controller* vc, Evas_Object* parent) {
    if (vc->create(parent, nullptr))
        return vc;
    vc->destroy();
    return nullptr;
}

} // namespace

void MVBubbleContent::provideFor(Evas_Object* entry) {
    qel_label_append_item_provider(entry, _itemProviderCb, this);
}

void MVBubbleContent::stopProviding(Evas_Object* entry) {
    elm_entry_item_provider_remove(entry, _itemProviderCb, this);
}

void MVBubbleContent::dropItems(Evas_Object* entry) {
    Eina_List* members = evas_object_smart_members_get(elm_layout_edje_get(entry));
    void* member = nullptr;
    EINA_LIST_FREE(members, member) {
        if (evas_object_data_get(static_cast<Evas_Object*>(member), ITEM_KEY))
            evas_object_del(static_cast<Evas_Object*>(member));
    }
}

Evas_Object* MVBubbleContent::_itemProviderCb(void* data, Evas_Object* entry, const char* item) {
    Evas_Object* obj = data ? static_cast<MVBubbleContent*>(data)->_create(entry, item) : nullptr;
    if (obj)
        evas_object_data_set(obj, ITEM_KEY, entry);
    return obj;
}

bool MVBubbleContent::_isNormalView() const {
    return _bubble.getViewType() == VIEW_TYPE_NORMAL;
}

const msg_store::Content* MVBubbleContent::_contentAt(int index) const {
    // Indexes come from markup text; only those of this message's contents are taken.
    const auto& conv = _bubble.getConv();
    if (!conv || index < 0 || index >= static_cast<int>(conv->contents.size())) {
        MSG_LOGE("invalid content index [%d]", index);
        return nullptr;
    }
    return &conv->contents[index];
}

Evas_Object* MVBubbleContent::_create(Evas_Object* entry, const char* item) {
    MSG_RETV_IF(!item || !*item, nullptr, "token is nullptr");
    std::string href = item;
    size_t colon = href.find(':');
    std::string token = href.substr(0, colon);
    std::vector<int> numbers;
    bool hasNumbers = colon != std::string::npos && parseNumbers(href.c_str() + colon + 1, numbers);
    if (token == "info_sending")
        return _createInfoLayout(entry, INFO_SENDING);
    if (token == "info_failed")
        return _createInfoLayout(entry, INFO_FAILED);
    if (token == "communication_info")
        return _createInfoLayout(entry, INFO_NORMAL);
    if (token == "separator")
        return _createSeparator(entry);
    if (token == "image" && hasNumbers && numbers.size() == 3)
        return _createImage(entry, numbers[2], numbers[0], numbers[1]);
    if (token == "audio" && hasNumbers && numbers.size() == 1)
        return _createAudio(entry, numbers[0]);
    if (token == "attachment" && hasNumbers && numbers.size() == 1)
        return _createAttachment(entry, numbers[0]);
    MSG_LOGE("invalid hrefStr [%s]", item);
    return nullptr;
}

Evas_Object* MVBubbleContent::_createSeparator(Evas_Object* parent) {
    Evas_Object* line = evas_object_rectangle_add(evas_object_evas_get(parent));
    int r = 255, g = 255, b = 255, a = 51;
    qel_theme_get_color("AO0110", &r, &g, &b, &a);
    evas_object_color_set(line, r * a / 255, g * a / 255, b * a / 255, a);
    return line;
}

Evas_Object* MVBubbleContent::_createInfoLayout(Evas_Object* parent, InfoType type) {
    const char* edj = common_util::get_message_edj().c_str();
    bool sent = _bubble.getBubbleType() == MVItemBubble::BUBBLE_SENT;
    if (type == INFO_NORMAL)
        return _createNormalInfo(parent, sent);
    Evas_Object* layout = elm_layout_add(parent);
    MSG_RETV_IF(!layout, nullptr, "elm_layout_add failed");
    if (type == INFO_FAILED) {
        elm_layout_file_set(layout, edj, "bubble/content/communication_info/failed");
        elm_object_part_content_set(layout, "elm.status.icon", themeIcon(layout, "img/status/sendfail"));
        Evas_Object* edje = elm_layout_edje_get(layout);
        edje_object_part_text_set(edje, "elm.text.time", _bubble.getTimeText().c_str());
        edje_object_part_text_set(edje, "elm.text.status",
                                  common_ui_helper::get_text(MVBubbleMarkup::FAILED_TEXT_ID));
        return layout;
    }
    elm_layout_file_set(layout, edj,
                        sent ? "bubble/content/communication_info/send_icon_only"
                             : "bubble/content/communication_info/receive_icon_only");
    Evas_Object* icon = elm_progressbar_add(layout);
    elm_object_style_set(icon, "process/msg_sending");
    evas_object_size_hint_align_set(icon, -1.0, 0.5);
    elm_progressbar_pulse_set(icon, EINA_TRUE);
    elm_progressbar_pulse(icon, EINA_TRUE);
    elm_object_part_content_set(layout, "elm.status.icon", icon);
    return layout;
}

// The status line of nearly every bubble, built for each bubble that comes into view: one plain theme
// object, whose group draws the SIM mark too. As a layout widget holding an image widget it took half
// as long again to build, and a quarter longer to delete; its SIM mark as a second theme object cost
// nearly as much as the line.
Evas_Object* MVBubbleContent::_createNormalInfo(Evas_Object* entry, bool sent) {
    const msg_store::Conversation& conv = *_bubble.getConv();
    std::string group =
        sent ? "bubble/content/communication_info/send" : "bubble/content/communication_info/receive";
    if (common_ui_helper::has_sim_index_icon(conv.folderType, conv.simIndex))
        group += "/sim" + std::to_string(conv.simIndex + 1);
    Evas_Object* info = themeObject(entry, common_util::get_message_edj().c_str(), group.c_str());
    MSG_RETV_IF(!info, nullptr, "no status line");
    // The bubble's direction, as its text and style have it: a widget follows a language change a
    // turn of the loop later, and a line built in between would keep the old direction.
    edje_object_mirrored_set(info, _bubble.isRtl() ? EINA_TRUE : EINA_FALSE);
    edje_object_part_text_set(info, "elm.text.time", _bubble.getTimeText().c_str());
    if (_bubble.isMms()) {
        edje_object_part_text_set(info, "elm.text.mms", "MMS");
        edje_object_signal_emit(info, "mms,show", "");
    }
    Evas_Object* safe = conv.isProtected ? common_ui_helper::create_safe_icon(entry) : nullptr;
    if (safe) {
        edje_object_part_swallow(info, "elm.icon.safe", safe);
        edje_object_signal_emit(info, "safe,icon,show", "");
    }
    bool watch =
        common_util::is_sta_enabled() && !conv.hideWatchIcon &&
        (conv.folderType == msg_store::FOLDER_WATCH_INBOX || conv.folderType == msg_store::FOLDER_WATCH_SENT);
    if (watch) {
        edje_object_part_swallow(info, "elm.status.icon", themeIcon(entry, "img/composer/title/watch"));
        edje_object_signal_emit(info, "status,icon,show", "");
    }
    // Its marks are in place in the first frame that shows it, not a frame later.
    if (_bubble.isMms() || safe || watch)
        edje_object_message_signal_process(info);
    if (safe || watch)
        evas_object_event_callback_add(info, EVAS_CALLBACK_DEL, _infoDelCb, nullptr);
    return info;
}

// A theme object leaves what it holds alive when it goes: the line's icons go with it.
void MVBubbleContent::_infoDelCb(void* /*data*/, Evas* /*evas*/, Evas_Object* info, void* /*eventInfo*/) {
    for (const char* part : {"elm.icon.safe", "elm.status.icon"})
        evas_object_del(edje_object_part_swallow_get(info, part));
}

Evas_Object* MVBubbleContent::_createImage(Evas_Object* parent, int index, int w, int h) {
    const msg_store::Content* content = _contentAt(index);
    auto* image = content ? created(new MVImageViewController(w, h, index, *content), parent) : nullptr;
    if (!image)
        return nullptr;
    image->addEventListener(
        [this](MVImageViewController::Event event, MVImageViewController* vc) {
            if (event == MVImageViewController::PRESSED)
                _bubble.showContentPressed();
            else if (event == MVImageViewController::CLICKED && _isNormalView() && _bubble.getActions())
                _bubble.getActions()->openContent(_bubble, vc->getMediaIndex());
        },
        image->getEvasObject());
    nameMedia(image->getEvasObject(), content->mediaType == msg_store::Content::MEDIA_TYPE_VIDEO
                                          ? "IDS_MSG_BODY_ATTACHED_VIDEO"
                                          : "IDS_MSG_BODY_ATTACHED_IMAGE");
    return image->getEvasObject();
}

Evas_Object* MVBubbleContent::_createAudio(Evas_Object* parent, int index) {
    const msg_store::Content* content = _contentAt(index);
    auto* audio = content ? created(new MVAudioViewController(*content), parent) : nullptr;
    if (!audio)
        return nullptr;
    audio->addEventListener(
        [this, audio](MVAudioViewController::Event event) {
            // In select mode a tap checks the bubble instead.
            if (event == MVAudioViewController::CLICKED && _isNormalView())
                audio->click();
        },
        audio->getEvasObject());
    nameMedia(audio->getEvasObject(), "IDS_MSG_BODY_ATTACHED_AUDIO");
    return audio->getEvasObject();
}

Evas_Object* MVBubbleContent::_createAttachment(Evas_Object* parent, int index) {
    const msg_store::Content* content = _contentAt(index);
    auto* attachment = content ? created(new MVAttachmentViewController(index, *content), parent) : nullptr;
    if (!attachment)
        return nullptr;
    attachment->addEventListener(
        [this](MVAttachmentViewController::Event event, MVAttachmentViewController* vc) {
            if (event == MVAttachmentViewController::PRESSED)
                _bubble.showContentPressed();
            else if (event == MVAttachmentViewController::CLICKED && _isNormalView() && _bubble.getActions())
                _bubble.getActions()->openAttachment(vc->getFilePath());
        },
        attachment->getEvasObject());
    nameMedia(attachment->getEvasObject(), nullptr, content->fileName);
    return attachment->getEvasObject();
}

} // namespace msg_viewer
} // namespace msg_app
