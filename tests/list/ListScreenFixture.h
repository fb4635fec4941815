#ifndef MSG_TESTS_LIST_LISTSCREENFIXTURE_H
#define MSG_TESTS_LIST_LISTSCREENFIXTURE_H

#include "ListRowFixture.h"
#include "MainLoop.h"
#include "PlainPage.h"
#include "common/MCommonAppEventMgr.h"
#include "common/ui/MCommonTheme.h"
#include "list/MLListViewController.h"
#include "list/MLReusableObjectPool.h"
#include "list/MLThreadListBgLoad.h"
#include "msg_store/PhoneSide.h"
#include "msg_store/ThreadManager.h"
#include "view_kit/WContentViewController.h"
#include "view_kit/WNaviframeController.h"
#include "view_kit/WWindowController.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The list inside a page of the watch's window, so that what it opens lands on a real naviframe.
class ListScreenFixture : public ListRowFixture {
protected:
    using MLItem = msg_app::msg_list::MLItem;
    using MLListViewController = msg_app::msg_list::MLListViewController;

    void SetUp() override {
        ListRowFixture::SetUp();
        // The pool's badges belong to the other window's canvas.
        msg_app::msg_list::MLReusableObjectPool::destroy();
        appWindow = std::make_unique<view_kit::WWindowController>();
        ASSERT_TRUE(appWindow->create("list-screen-test", 360, 360));
        auto* theme = msg_app::MCommonTheme::getInstance();
        theme->deinit();
        ASSERT_TRUE(theme->init());
    }
    void TearDown() override {
        appWindow->destroy();
        appWindow.reset();
        msg_app::MCommonAppEventMgr::getInstance()->emit(stateLeft);
        msg_app::msg_list::MLThreadListBgLoad::destroy();
        ListRowFixture::TearDown();
    }

    // The list on a new page, and the loop run until idle unless asked not to.
    void create(msg_app::msg_list::ListType type, bool settle = true) {
        auto* page = new PlainPage();
        ASSERT_TRUE(appWindow->getNaviframeController()->push(page, "host"));
        list = new MLListViewController(type);
        ASSERT_TRUE(page->setPartContent("elm.swallow.content", list));
        if (settle)
            msg_test::runLoopUntilIdle();
    }
    Elm_Object_Item* itemOf(int id) const {
        msg_app::msg_list::MLItemContent* row = list->findContentItem(id);
        return row ? row->getElmObjectItem() : nullptr;
    }
    MLItem* rowAt(int index) const {
        Elm_Object_Item* item = elm_genlist_nth_item_get(list->getGenlist(), index);
        return item ? static_cast<MLItem*>(elm_object_item_data_get(item)) : nullptr;
    }
    // A real finger at the window's point, let go once the loop is idle or, when given, once
    // `held` says the press was taken.
    void touch(int x, int y, const std::function<bool()>& held = nullptr) {
        Evas* evas = evas_object_evas_get(appWindow->getEvasObject());
        evas_event_feed_mouse_move(evas, x, y, 0, nullptr);
        evas_event_feed_mouse_down(evas, 1, EVAS_BUTTON_NONE, 0, nullptr);
        if (held)
            EXPECT_TRUE(msg_test::runLoopUntil(held));
        else
            msg_test::runLoopUntilIdle();
        evas_event_feed_mouse_up(evas, 1, EVAS_BUTTON_NONE, 0, nullptr);
        msg_test::runLoopUntilIdle();
    }
    // A real press on the row, let go at once or once the list has taken it as a long press.
    void press(Elm_Object_Item* item, bool longPress) {
        ASSERT_NE(item, nullptr);
        elm_genlist_item_show(item, ELM_GENLIST_ITEM_SCROLLTO_MIDDLE);
        msg_test::runLoopUntilIdle();
        Evas_Object* track = elm_object_item_track(item);
        ASSERT_NE(track, nullptr);
        int x = 0, y = 0, w = 0, h = 0;
        evas_object_geometry_get(track, &x, &y, &w, &h);
        elm_object_item_untrack(item);
        bool held = false;
        auto heldCb = [](void* data, Evas_Object*, void*) { *static_cast<bool*>(data) = true; };
        evas_object_smart_callback_add(list->getGenlist(), "longpressed", heldCb, &held);
        touch(x + w / 2, y + h / 2, longPress ? std::function<bool()>([&] { return held; }) : nullptr);
        evas_object_smart_callback_del_full(list->getGenlist(), "longpressed", heldCb, &held);
    }
    void tap(Elm_Object_Item* item) { press(item, false); }
    void longPress(Elm_Object_Item* item) { press(item, true); }
    void clickButton(Evas_Object* button) {
        ASSERT_NE(button, nullptr);
        evas_object_smart_callback_call(button, "clicked", nullptr);
    }
    Evas_Object* countButton() const {
        Evas_Object* selectLayout = elm_object_part_content_get(list->getEvasObject(), "elm.swallow.content");
        return selectLayout ? elm_object_part_content_get(selectLayout, "elm.swallow.icon") : nullptr;
    }
    // The popups of a class ("Elm.Popup", "Elm.Ctxpopup") on the window.
    std::vector<Evas_Object*> popups(const char* className) const {
        return msg_test::objectsOfClass(evas_object_evas_get(appWindow->getEvasObject()), className);
    }
    bool hasToast(const std::string& text) const {
        std::vector<Evas_Object*> shown = popups("Elm.Popup");
        return std::any_of(shown.begin(), shown.end(), [&](Evas_Object* popup) {
            const char* own = elm_object_part_text_get(popup, "elm.text");
            return own && text == own;
        });
    }
    bool threadExists(int threadId) const {
        msg_store::Thread thread;
        return msg_store::ThreadManager().getThread(threadId, thread) == msg_store::MSG_STORE_SUCCESS &&
               thread.msgCount > 0;
    }
    // Many conversations in one store transaction, so that one change names them all.
    void receiveMany(int count, int64_t timeMs, const std::string& prefix) {
        std::vector<msg_store::IncomingMessage> messages;
        for (int i = 0; i < count; ++i)
            messages.push_back(incoming(prefix + std::to_string(100000 + i), "", timeMs + i));
        ASSERT_EQ(msg_store::PhoneSide::insertMessages(messages, nullptr), msg_store::MSG_STORE_SUCCESS);
    }
    std::string topPageName() const {
        view_kit::WContentViewController* top =
            appWindow->getNaviframeController()->getTopContentViewController();
        return top ? top->getName() : "";
    }

    std::unique_ptr<view_kit::WWindowController> appWindow;
    MLListViewController* list = nullptr;
    // The application's state the test leaves for the next one.
    msg_app::MCommonAppEventType stateLeft = msg_app::APP_EVENT_RESUMED;
};

#endif
