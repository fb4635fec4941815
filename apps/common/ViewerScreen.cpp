#include "ViewerScreen.h"

#include "common/MsgLog.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"
#include "vconf.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVItem/MVItemReply.h"
#include "viewer/MVListViewController.h"

#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace msg_app {
namespace shell {

namespace {

using Pick = ViewerScreen::Pick;
using msg_store::Content;
using msg_store::Conversation;

// The genlist sizes its rows over the first idles; the scroll waits for them.
constexpr double SHOW_DELAY = 0.3;
constexpr int64_t DAY_MS = 24 * 3600 * 1000LL;

bool hasMedia(const Conversation& conv, Content::MediaType type, bool attachment = false) {
    for (const Content& content : conv.contents) {
        if (content.mediaType == type || (attachment && content.isAttachment))
            return true;
    }
    return false;
}

bool matches(Pick pick, const Conversation& conv, int addressCount) {
    switch (pick) {
    case Pick::NEWEST:
        return true;
    case Pick::LINKS:
        return conv.text.find("http") != std::string::npos;
    case Pick::GROUP:
        return addressCount > 1 && conv.folderType == msg_store::FOLDER_INBOX;
    case Pick::FAILED:
        return conv.folderType == msg_store::FOLDER_OUTBOX && msg_store::isSendFailure(conv.networkStatus);
    case Pick::SENDING:
        return conv.folderType == msg_store::FOLDER_OUTBOX &&
               conv.networkStatus == msg_store::NETWORK_STATUS_SENDING;
    case Pick::PICTURE:
        return hasMedia(conv, Content::MEDIA_TYPE_IMAGE) &&
               conv.networkStatus != msg_store::NETWORK_STATUS_RETRIEVE_FAIL;
    case Pick::VIDEO:
        return hasMedia(conv, Content::MEDIA_TYPE_VIDEO);
    case Pick::ATTACHMENT:
        return hasMedia(conv, Content::MEDIA_TYPE_NONE, true);
    case Pick::NOT_RETRIEVED:
        return conv.msgType == "mms" && conv.networkStatus == msg_store::NETWORK_STATUS_RETRIEVE_FAIL;
    case Pick::RTL:
        // Arabic letters begin with the byte 0xD8 to 0xDB in UTF-8.
        return !conv.text.empty() && static_cast<unsigned char>(conv.text[0]) >= 0xD8 &&
               static_cast<unsigned char>(conv.text[0]) <= 0xDB;
    case Pick::YEAR_CHANGE:
        return conv.text.find("Happy new year") != std::string::npos;
    case Pick::WATCH:
        return conv.folderType == msg_store::FOLDER_WATCH_INBOX && !conv.hideWatchIcon &&
               conv.msgType != "mms";
    }
    return false;
}

bool search(Pick pick, int& threadId, int& msgId) {
    std::vector<msg_store::Thread> threads;
    msg_store::ThreadManager().getAllThreads(threads);
    for (const msg_store::Thread& thread : threads) {
        std::vector<Conversation> conversations;
        msg_store::MessageManager().getConversations(thread.threadId, conversations);
        std::vector<msg_store::Address> addresses;
        msg_store::ThreadManager().getAddress(thread.threadId, addresses);
        for (auto it = conversations.rbegin(); it != conversations.rend(); ++it) {
            if (matches(pick, *it, static_cast<int>(addresses.size()))) {
                threadId = thread.threadId;
                msgId = it->msgId;
                return true;
            }
        }
    }
    return false;
}

msg_store::IncomingMessage incoming(const std::string& from, const std::string& text, int64_t timeMs) {
    msg_store::IncomingMessage message;
    message.addresses = {{msg_store::ADDRESS_TYPE_PHONE, from}};
    message.text = text;
    message.time = timeMs;
    message.isRead = true;
    return message;
}

// What the demo device lacks, received as the phone would deliver it.
void receiveMissing(Pick pick) {
    int64_t now = static_cast<int64_t>(time(nullptr)) * 1000;
    std::vector<msg_store::IncomingMessage> messages;
    if (pick == Pick::LINKS) {
        messages.push_back(incoming("+15550100001",
                                    "Tickets are at https://example.com/show?id=42 "
                                    "or call +1 555 010 0199",
                                    now));
    } else if (pick == Pick::VIDEO) {
        int threadId = -1, msgId = -1;
        std::string still;
        std::shared_ptr<Conversation> conv = std::make_shared<Conversation>();
        if (search(Pick::PICTURE, threadId, msgId) &&
            msg_store::MessageManager().getConversation(msgId, *conv) == msg_store::MSG_STORE_SUCCESS) {
            for (const Content& content : conv->contents)
                still = content.mediaType == Content::MEDIA_TYPE_IMAGE ? content.filePath : still;
        }
        msg_store::IncomingMessage video = incoming("+15550100002", "Watch this!", now);
        video.msgType = "mms";
        Content clip;
        clip.mediaType = Content::MEDIA_TYPE_VIDEO;
        clip.mimeType = "video/mp4";
        clip.fileName = "clip.mp4";
        clip.thumbnailPath = still;
        Content text;
        text.mediaType = Content::MEDIA_TYPE_TEXT;
        text.text = video.text;
        video.contents = {text, clip};
        messages.push_back(video);
    } else if (pick == Pick::RTL) {
        messages.push_back(incoming("+15550100050",
                                    "\xd9\x85\xd8\xb1\xd8\xad\xd8\xa8\xd8\xa7! \xd9\x83\xd9\x8a\xd9\x81 "
                                    "\xd8\xad\xd8\xa7\xd9\x84\xd9\x83\xd8\x9f",
                                    now - 60000));
        msg_store::IncomingMessage reply = incoming("+15550100050",
                                                    "\xd8\xa8\xd8\xae\xd9\x8a\xd8\xb1\xd8\x8c "
                                                    "\xd8\xb4\xd9\x83\xd8\xb1\xd8\xa7\xd9\x8b "
                                                    "\xd9\x84\xd9\x83 123",
                                                    now);
        reply.folderType = msg_store::FOLDER_SENT;
        messages.push_back(reply);
    } else if (pick == Pick::YEAR_CHANGE) {
        struct tm newYear = {};
        time_t t = time(nullptr);
        localtime_r(&t, &newYear);
        newYear.tm_mon = 0;
        newYear.tm_mday = 1;
        newYear.tm_hour = 0;
        newYear.tm_min = 10;
        newYear.tm_sec = 0;
        newYear.tm_isdst = -1;
        int64_t jan1 = static_cast<int64_t>(mktime(&newYear)) * 1000;
        messages.push_back(incoming("+15550100051", "Ready for the party?", jan1 - DAY_MS));
        messages.push_back(incoming("+15550100051", "Almost midnight!", jan1 - 20 * 60000));
        messages.push_back(incoming("+15550100051", "Happy new year!", jan1));
        messages.push_back(incoming("+15550100051", "What a night", jan1 + DAY_MS));
    }
    if (!messages.empty() &&
        msg_store::PhoneSide::insertMessages(messages, nullptr) != msg_store::MSG_STORE_SUCCESS)
        MSG_LOGE("the missing messages could not be received");
}

int threadOf(Pick pick, int& msgId) {
    int threadId = -1;
    msgId = -1;
    if (!ViewerScreen::find(pick, threadId, msgId))
        MSG_LOGW("no conversation to show on this device");
    return threadId;
}

// The Reply caption under the reply button is seen whole or not at all: a message in the middle
// that leaves it cut by the screen's foot gives way to the list's end, where the app rests.
void keepCaptionWhole(const msg_viewer::MVListViewController& list) {
    msg_viewer::MVItemReply* reply = list.getReplyItem();
    Elm_Object_Item* caption = reply ? elm_genlist_item_next_get(reply->getElmObjectItem()) : nullptr;
    if (!caption)
        return;
    Evas_Object* genlist = list.getGenlist();
    evas_smart_objects_calculate(evas_object_evas_get(genlist));
    int listY = 0, listH = 0, rowY = 0, rowH = 0;
    evas_object_geometry_get(genlist, nullptr, &listY, nullptr, &listH);
    if (Evas_Object* track = elm_object_item_track(caption))
        evas_object_geometry_get(track, nullptr, &rowY, nullptr, &rowH);
    elm_object_item_untrack(caption);
    if (rowH > 0 && rowY < listY + listH && rowY + rowH > listY + listH)
        elm_genlist_item_show(caption, ELM_GENLIST_ITEM_SCROLLTO_BOTTOM);
}

} // namespace

bool ViewerScreen::find(Pick pick, int& threadId, int& msgId) {
    if (search(pick, threadId, msgId))
        return true;
    receiveMissing(pick);
    return search(pick, threadId, msgId);
}

ViewerScreen::ViewerScreen(Pick pick, Show show)
    : MVContentViewController(threadOf(pick, _msgId)), _show(show) {
    if (show == Show::SMALL_FONT)
        vconf_set_int("db/setting/accessibility/font_size", 0);
}

ViewerScreen::ViewerScreen(int threadId, int msgId, Show show)
    : MVContentViewController(threadId), _show(show), _msgId(msgId) {}

ViewerScreen::~ViewerScreen() {
    view_kit::WTimer::destroy(_showTimer);
}

void ViewerScreen::onPushed(Elm_Object_Item* naviItem) {
    MVContentViewController::onPushed(naviItem);
    _pendingAct.begin();
    _showTimer = view_kit::WTimer::addTimer(
        SHOW_DELAY,
        [this](void*) {
            _showTarget();
            _pendingAct.end();
            return false;
        },
        nullptr);
}

void ViewerScreen::_showTarget() {
    msg_viewer::MVListViewController* list = getListView();
    MSG_RET_IF(!list, "no conversation view");
    Elm_Object_Item* item = nullptr;
    if (_show == Show::TOP) {
        while (list->getLoadedCount() < list->getModel().getCount())
            list->loadOlderPage();
        list->loadOlderPage();
        item = elm_genlist_first_item_get(list->getGenlist());
        if (item)
            elm_genlist_item_show(item, ELM_GENLIST_ITEM_SCROLLTO_TOP);
        return;
    }
    while (!list->findBubble(_msgId) && list->getLoadedCount() < list->getModel().getCount())
        list->loadOlderPage();
    msg_viewer::MVItemBubble* bubble = list->findBubble(_msgId);
    if (!bubble)
        return;
    elm_genlist_item_show(bubble->getElmObjectItem(), ELM_GENLIST_ITEM_SCROLLTO_MIDDLE);
    keepCaptionWhole(*list);
}

} // namespace shell
} // namespace msg_app
