#include "ViewerScreenFixture.h"

#include "DeviceProfiles.h"
#include "common/view/MCommonMoreOptionViewController.h"
#include "msg_store/MsgStore.h"
#include "view_kit/WNaviframeController.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVItem/MVItemDateLine.h"

#include <algorithm>
#include <cstring>
#include <set>

using namespace msg_app::msg_viewer;

void ViewerScreenFixture::SetUp() {
    // Each test starts with the application not yet resumed; one that needs it in front says so.
    stateLeft = msg_app::APP_EVENT_INITIAL;
    ListScreenFixture::SetUp();
    ASSERT_TRUE(appWindow->getNaviframeController()->push(new PlainPage(), "host"));
}

std::vector<int> ViewerScreenFixture::thread(int count, int64_t stepSeconds) {
    std::vector<msg_store::IncomingMessage> messages;
    for (int i = 0; i < count; ++i) {
        messages.push_back(msg_test::message("+15550100", "message " + std::to_string(i),
                                             START_MS + i * stepSeconds * 1000,
                                             i % 3 == 0 ? msg_store::FOLDER_SENT : msg_store::FOLDER_INBOX));
    }
    return storeThread(messages);
}

std::vector<int> ViewerScreenFixture::storeThread(const std::vector<msg_store::IncomingMessage>& messages) {
    std::vector<int> ids = msg_test::storeMessages(messages);
    threadId = ids.empty() ? -1 : threadOf(ids.front());
    return ids;
}

void ViewerScreenFixture::open(int id) {
    screen = new MVContentViewController(id);
    ASSERT_TRUE(appWindow->getNaviframeController()->push(screen, "msg_viewer"));
    // The first page is complete once the first frame is drawn and the list is idle, its end
    // in place.
    ASSERT_TRUE(msg_test::runLoopUntil([&] {
        return listView() && listView()->getGenlist() && !listView()->isPlaceHeld() &&
               listView()->getLoadedCount() ==
                   std::min(listView()->getModel().getCount(), MVListViewController::PAGE_SIZE);
    }));
    // The option panel's entries come when the loop first idles.
    ASSERT_TRUE(msg_test::runLoopUntilIdle());
}

MVListViewController* ViewerScreenFixture::listView() const {
    return screen ? screen->getListView() : nullptr;
}

void ViewerScreenFixture::closeLaunched(int64_t launchId) {
    ASSERT_TRUE(msg_services::LaunchJournal::requestTerminate(launchId));
    EXPECT_TRUE(msg_test::pumpUntil(
        [&] {
            msg_services::LaunchEntry entry;
            return msg_services::LaunchJournal::find(launchId, entry) && entry.status == "exited";
        },
        30.0));
}

bool ViewerScreenFixture::untilSignal(Evas_Object* obj, const char* signal,
                                      const std::function<void()>& action, double timeout) {
    bool seen = false;
    Evas_Smart_Cb cb = [](void* data, Evas_Object*, void*) { *static_cast<bool*>(data) = true; };
    evas_object_smart_callback_add(obj, signal, cb, &seen);
    if (action)
        action();
    bool held = msg_test::runLoopUntil([&] { return seen; }, timeout);
    evas_object_smart_callback_del_full(obj, signal, cb, &seen);
    return held;
}

bool ViewerScreenFixture::backToHost() {
    return appWindow->getNaviframeController()->pop() &&
           msg_test::runLoopUntil([&] { return topPageName() == "host"; });
}

std::vector<int> ViewerScreenFixture::checkedBubbleIds() const {
    std::vector<int> ids;
    std::set<int> seen;
    long dayOfLine = -1;
    int64_t lastTime = 0;
    bool lineWaiting = false;
    Evas_Object* genlist = listView()->getGenlist();
    for (Elm_Object_Item* it = elm_genlist_first_item_get(genlist); it; it = elm_genlist_item_next_get(it)) {
        auto* row = static_cast<MVItem*>(elm_object_item_data_get(it));
        if (row->getType() == MVItem::DATE_LINE) {
            EXPECT_FALSE(lineWaiting) << "two date lines in a row";
            dayOfLine = static_cast<MVItemDateLine*>(row)->getTime();
            lineWaiting = true;
        } else if (row->getType() == MVItem::BUBBLE) {
            auto* bubble = static_cast<MVItemBubble*>(row);
            EXPECT_TRUE(dayOfLine >= 0 && MVItemDateLine::isSameDay(dayOfLine, bubble->getTime()))
                << "bubble " << bubble->getMsgId() << " is not under its day";
            EXPECT_GE(bubble->getConv()->time, lastTime)
                << "bubble " << bubble->getMsgId() << " out of order";
            EXPECT_TRUE(seen.insert(bubble->getMsgId()).second)
                << "bubble " << bubble->getMsgId() << " twice";
            lastTime = bubble->getConv()->time;
            ids.push_back(bubble->getMsgId());
            lineWaiting = false;
        } else {
            EXPECT_FALSE(lineWaiting) << "a date line without a bubble";
        }
    }
    return ids;
}

void ViewerActionFixture::SetUp() {
    ViewerScreenFixture::SetUp();
    std::string error;
    ASSERT_TRUE(msg_services::DeviceProfiles::apply("remote", &error)) << error;
}

std::vector<int> ViewerActionFixture::watchThread(const std::vector<std::string>& addresses, int count) {
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i)
        texts.push_back("message " + std::to_string(i));
    return watchThread(addresses, texts);
}

std::vector<int> ViewerActionFixture::watchThread(const std::vector<std::string>& addresses,
                                                  const std::vector<std::string>& texts) {
    std::vector<msg_store::IncomingMessage> messages;
    for (size_t i = 0; i < texts.size(); ++i) {
        msg_store::IncomingMessage message =
            msg_test::message(addresses.front(), texts[i], START_MS + static_cast<int64_t>(i) * 60000,
                              msg_store::FOLDER_WATCH_INBOX);
        message.addresses.clear();
        for (const std::string& address : addresses)
            message.addresses.push_back({msg_store::ADDRESS_TYPE_PHONE, address});
        messages.push_back(message);
    }
    return storeThread(messages);
}

bool ViewerScreenFixture::listLaidOut() const {
    // The list measures the rows given to it a few per turn, before the loop idles, and places
    // them when the canvas next calculates, on the next frame's tick: the loop idles in between.
    // Calculated here, a turn that changes nothing of the list's height had no row left.
    auto height = [this] {
        int h = 0;
        elm_scroller_child_size_get(listView()->getGenlist(), nullptr, &h);
        return h;
    };
    int before = -1;
    for (int turn = 0; turn < 1000; ++turn) {
        if (!msg_test::runLoopUntilIdle())
            return false;
        evas_smart_objects_calculate(evas());
        const int now = height();
        if (now == before)
            return true;
        before = now;
    }
    return false;
}

void ViewerScreenFixture::clickCenter(Evas_Object* obj) {
    auto [x, y, w, h] = msg_test::boxOf(obj);
    msg_test::press(evas(), x + w / 2, y + h / 2);
    msg_test::release(evas());
}

bool ViewerScreenFixture::isUnderFinger(Evas_Object* obj) const {
    auto [x, y, w, h] = msg_test::boxOf(obj);
    // Still sliding in with its page.
    if (w <= 0 || h <= 0 || x < 0 || y < 0 || x + w > 360 || y + h > 360)
        return false;
    // A page in its push transition takes no input.
    for (Evas_Object* o = obj; o; o = evas_object_smart_parent_get(o)) {
        if (evas_object_freeze_events_get(o))
            return false;
    }
    Eina_List* stack = evas_objects_at_xy_get(evas(), x + w / 2, y + h / 2, EINA_TRUE, EINA_FALSE);
    bool covered = false;
    void* data = nullptr;
    // A popup (a toast) over it takes the finger until it goes.
    EINA_LIST_FREE(stack, data) {
        for (auto* o = static_cast<Evas_Object*>(data); o && !covered; o = evas_object_smart_parent_get(o)) {
            const char* type = evas_object_type_get(o);
            covered = type && strcmp(type, "elm_popup") == 0;
        }
    }
    return !covered;
}

namespace {
bool failed(const std::string& why) {
    ADD_FAILURE() << why;
    return false;
}
} // namespace

bool ViewerActionFixture::choose(MoreOption option) {
    std::vector<MoreOption> offered = options();
    auto found = std::find(offered.begin(), offered.end(), option);
    if (found == offered.end())
        return failed("not offered: " + std::to_string(option));
    Evas_Object* panel = mgr()->getView()->getEvasObject();
    // The panel tells when it has slid in and its entries rest where a finger finds them.
    if (!untilSignal(
            panel, "more,option,opened", [&] { mgr()->openMenu(); }, 3.0))
        return failed("the panel did not open");
    auto* item = static_cast<Eext_Object_Item*>(
        eina_list_nth(eext_more_option_items_get(panel), static_cast<unsigned>(found - offered.begin())));
    if (!item)
        return failed("the panel has no item for it");
    // A toast over the panel takes the finger until it goes.
    if (!msg_test::runLoopUntil([&] { return isUnderFinger(item->obj); }, 5.0))
        return failed("the entry stays covered");
    clickCenter(item->obj);
    return msg_test::runLoopUntil([&] { return !mgr()->isOpened(); }, 3.0) ||
           failed("the panel did not close");
}

int64_t ViewerActionFixture::lastLaunchId() const {
    std::vector<msg_services::LaunchEntry> launches = msg_services::LaunchJournal::list();
    return launches.empty() ? 0 : launches.back().id;
}

msg_services::LaunchEntry ViewerActionFixture::waitLaunchTo(const std::string& target, int64_t since,
                                                            double timeout) const {
    msg_services::LaunchEntry found;
    msg_test::runLoopUntil(
        [&] {
            for (const msg_services::LaunchEntry& entry : msg_services::LaunchJournal::list()) {
                if (entry.id > since && (target.empty() || entry.target == target))
                    found = entry;
            }
            return found.id != 0;
        },
        timeout);
    return found;
}
