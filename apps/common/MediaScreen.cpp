#include "MediaScreen.h"

#include "ScreenRegistry.h"
#include "ShotScreens.h"
#include "common/MsgLog.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"
#include "vconf.h"
#include "view_kit/WViewController.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVListViewController.h"
#include "viewer/media/MVAudioViewController.h"
#include "viewer/media/MVSoundPlayer.h"

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace msg_app {
namespace shell {

namespace {

using msg_store::Content;
using msg_store::Conversation;
using Kind = MediaScreen::Kind;

// After the conversation has scrolled to the message.
constexpr double ACT_DELAY = 0.45;
constexpr double POLL_INTERVAL = 0.05;
constexpr double POPUP_DELAY = 0.6;

bool hasContent(const Conversation& conv, const std::function<bool(const Content&)>& wanted) {
    for (const Content& content : conv.contents) {
        if (wanted(content))
            return true;
    }
    return false;
}

bool matches(Kind kind, const Conversation& conv) {
    auto audio = [](const Content& c) {
        return c.mediaType == Content::MEDIA_TYPE_AUDIO && !c.filePath.empty();
    };
    auto picture = [](const Content& c) {
        return c.mediaType == Content::MEDIA_TYPE_IMAGE && !c.filePath.empty();
    };
    auto attached = [](const Content& c) { return c.isAttachment && !c.filePath.empty(); };
    auto onPhone = [](const Content& c) {
        return c.mediaType != Content::MEDIA_TYPE_TEXT && c.filePath.empty();
    };
    switch (kind) {
    case Kind::VOICE_CLIP:
    case Kind::VOICE_PLAYING:
    case Kind::HEADSET_POPUP:
        return hasContent(conv, audio);
    case Kind::MEDIA_ROWS:
        return hasContent(conv, picture) && hasContent(conv, attached);
    case Kind::PART_ON_PHONE:
        return conv.networkStatus != msg_store::NETWORK_STATUS_RETRIEVE_FAIL && hasContent(conv, onPhone);
    }
    return false;
}

bool findMessage(Kind kind, int& threadId, int& msgId) {
    std::vector<msg_store::Thread> threads;
    msg_store::ThreadManager().getAllThreads(threads);
    for (const msg_store::Thread& thread : threads) {
        std::vector<Conversation> conversations;
        msg_store::MessageManager().getConversations(thread.threadId, conversations);
        for (auto it = conversations.rbegin(); it != conversations.rend(); ++it) {
            if (it->msgType == "mms" && matches(kind, *it)) {
                threadId = thread.threadId;
                msgId = it->msgId;
                return true;
            }
        }
    }
    return false;
}

// A file of the device's messages that the predicate takes, to make other messages of.
std::string fileOnDevice(const std::function<bool(const Content&)>& wanted) {
    std::vector<msg_store::Thread> threads;
    msg_store::ThreadManager().getAllThreads(threads);
    for (const msg_store::Thread& thread : threads) {
        std::vector<Conversation> conversations;
        msg_store::MessageManager().getConversations(thread.threadId, conversations);
        for (const Conversation& conv : conversations) {
            for (const Content& content : conv.contents) {
                if (!content.filePath.empty() && wanted(content))
                    return content.filePath;
            }
        }
    }
    return "";
}

Content part(Content::MediaType type, const char* mime, const std::string& path, const char* name) {
    Content content;
    content.mediaType = type;
    content.mimeType = mime;
    content.filePath = path;
    content.fileName = content.downloadName = name;
    content.transferStatus = path.empty() ? Content::TRANSFER_NONE : Content::TRANSFER_DOWNLOADED;
    return content;
}

// What the demo device lacks, received as the phone would deliver it.
void receiveMissing(Kind kind) {
    std::string picture =
        fileOnDevice([](const Content& c) { return c.mediaType == Content::MEDIA_TYPE_IMAGE; });
    msg_store::IncomingMessage message;
    message.addresses = {{msg_store::ADDRESS_TYPE_PHONE, "+15550100061"}};
    message.msgType = "mms";
    message.isRead = true;
    Content text = part(Content::MEDIA_TYPE_TEXT, "text/plain", "", "");
    if (kind == Kind::MEDIA_ROWS) {
        std::string card = fileOnDevice([](const Content& c) { return c.isAttachment; });
        message.text = text.text = "The view, and the address";
        Content file = part(Content::MEDIA_TYPE_NONE, "text/x-vcard", card, "address.vcf");
        file.isAttachment = true;
        message.contents = {text, part(Content::MEDIA_TYPE_IMAGE, "image/png", picture, "image.png"), file};
    } else if (kind == Kind::PART_ON_PHONE) {
        message.text = text.text = "The picture is on my phone";
        message.contents = {text, part(Content::MEDIA_TYPE_IMAGE, "image/png", "", "beach.png")};
    } else {
        return;
    }
    if (msg_store::PhoneSide::insertMessage(message, nullptr) != msg_store::MSG_STORE_SUCCESS)
        MSG_LOGE("the missing message could not be received");
}

// The clip's controller in the bubble's text.
msg_viewer::MVAudioViewController* audioViewIn(Evas_Object* obj) {
    auto* vc = wviewcontroller_get_instance_from_evasobj(obj);
    if (vc && strcmp(vc->getName(), "MVAudioViewController") == 0 && evas_object_visible_get(obj))
        return static_cast<msg_viewer::MVAudioViewController*>(vc);
    const char* type = evas_object_type_get(obj);
    if (!type || strcmp(type, "rectangle") == 0 || strcmp(type, "image") == 0 || strcmp(type, "text") == 0 ||
        strcmp(type, "textblock") == 0)
        return nullptr;
    Eina_List* members = evas_object_smart_members_get(obj);
    msg_viewer::MVAudioViewController* found = nullptr;
    void* member = nullptr;
    EINA_LIST_FREE(members, member) {
        if (!found)
            found = audioViewIn(static_cast<Evas_Object*>(member));
    }
    return found;
}

} // namespace

MediaScreen* MediaScreen::create(Kind kind) {
    int threadId = -1, msgId = -1;
    if (!findMessage(kind, threadId, msgId)) {
        receiveMissing(kind);
        if (!findMessage(kind, threadId, msgId))
            MSG_LOGW("no message with such media on this device");
    }
    // msg-shot pictures a copy of the device: the route changes only there.
    if (kind == Kind::HEADSET_POPUP)
        vconf_set_int("memory/private/sound/route", 0);
    return new MediaScreen(kind, threadId, msgId);
}

MediaScreen::MediaScreen(Kind kind, int threadId, int msgId)
    : ViewerScreen(threadId, msgId, Show::TARGET), _kind(kind) {}

void MediaScreen::onPushed(Elm_Object_Item* naviItem) {
    ViewerScreen::onPushed(naviItem);
    if (_kind != Kind::VOICE_PLAYING && _kind != Kind::HEADSET_POPUP)
        return;
    _pendingAct.begin();
    _timer = view_kit::WTimer::addTimer(
        ACT_DELAY,
        [this](void*) {
            _act();
            _pendingAct.end();
            return false;
        },
        nullptr);
}

void MediaScreen::_act() {
    msg_viewer::MVListViewController* list = getListView();
    MSG_RET_IF(!list, "no conversation view");
    msg_viewer::MVAudioViewController* audio = audioViewIn(list->getGenlist());
    MSG_RET_IF(!audio, "no voice clip on the screen");
    audio->click();
    double delay = POPUP_DELAY;
    if (_kind == Kind::VOICE_PLAYING) {
        MVSoundPlayer* player = MVSoundPlayer::getInstance();
        int duration = player->getDuration();
        // Pictured once the clip is half way through.
        if (player->getState() == MVSoundPlayer::STATE_PLAYING && duration > 0) {
            _timer = view_kit::WTimer::addTimer(
                POLL_INTERVAL,
                [this, player, duration](void*) {
                    if (player->getPosition() < duration / 2)
                        return true;
                    _capture();
                    return false;
                },
                nullptr);
            return;
        }
        delay = POLL_INTERVAL;
    }
    _timer = view_kit::WTimer::addTimer(
        delay,
        [this](void*) {
            _capture();
            return false;
        },
        nullptr);
}

void MediaScreen::_capture() {
    if (Evas_Object* win = elm_object_top_widget_get(getEvasObject()))
        evas_object_smart_callback_call(win, CAPTURE_EVENT, nullptr);
}

void registerMediaScreens(ScreenRegistry& registry) {
    const struct {
        const char* name;
        const char* description;
        Kind kind;
    } screens[] = {
        {"viewer-voice-clip", "an MMS with a voice clip, idle", Kind::VOICE_CLIP},
        {"viewer-voice-playing", "the voice clip playing, half way through", Kind::VOICE_PLAYING},
        {"viewer-headset-popup", "a voice clip tapped with no route to play it", Kind::HEADSET_POPUP},
        {"viewer-media-rows", "an MMS with a picture and an attached file", Kind::MEDIA_ROWS},
        {"viewer-part-on-phone", "an MMS whose picture is still on the phone", Kind::PART_ON_PHONE},
    };
    registry.addEach(screens, [](const auto& screen) { return MediaScreen::create(screen.kind); });
}

} // namespace shell
} // namespace msg_app
