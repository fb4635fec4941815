#include "ViewerScreenFixture.h"

#include "LaunchJournal.h"
#include "MainLoop.h"
#include "PlainPage.h"
#include "common/MCommonAppEventMgr.h"
#include "common/ui/MCommonTheme.h"
#include "msg_store/MsgStore.h"
#include "view_kit/WNaviframeController.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVItem/MVItemDateLine.h"

#include <algorithm>
#include <set>

using namespace msg_app::msg_viewer;

void ViewerScreenFixture::SetUp() {
    ListRowFixture::SetUp();
    appWindow = std::make_unique<view_kit::WWindowController>();
    ASSERT_TRUE(appWindow->create("viewer-test", 360, 360));
    auto* theme = msg_app::MCommonTheme::getInstance();
    theme->deinit();
    ASSERT_TRUE(theme->init(appWindow->getEvasObject()));
    ASSERT_TRUE(appWindow->getNaviframeController()->push(new PlainPage(), "host"));
}

void ViewerScreenFixture::TearDown() {
    appWindow->destroy();
    appWindow.reset();
    msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_INITIAL);
    ListRowFixture::TearDown();
}

std::vector<int> ViewerScreenFixture::thread(int count, int64_t startMs, int64_t stepSeconds) {
    std::vector<msg_store::IncomingMessage> messages;
    for (int i = 0; i < count; ++i) {
        messages.push_back(msg_test::message("+15550100", "message " + std::to_string(i),
                                             startMs + i * stepSeconds * 1000,
                                             i % 3 == 0 ? msg_store::FOLDER_SENT : msg_store::FOLDER_INBOX));
    }
    return storeThread(messages);
}

std::vector<int> ViewerScreenFixture::storeThread(const std::vector<msg_store::IncomingMessage>& messages) {
    std::vector<int> ids = msg_test::storeMessages(messages);
    threadId = ids.empty() ? -1 : msg_test::threadOf(ids.front());
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

std::string ViewerScreenFixture::topPageName() const {
    view_kit::WContentViewController* top =
        appWindow->getNaviframeController()->getTopContentViewController();
    return top ? top->getName() : "";
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
