// A popup destroyed while one of its own callbacks runs: attaching the next popup on the same screen
// does that. What the callback captured must live until the callback returns, for every kind of
// popup with callbacks.
#include "MainLoop.h"
#include "WatchScreenTest.h"
#include "common/popup/MCommonPopup.h"
#include "common/popup/MCommonProgressPopup.h"
#include "common/popup/MCommonSelectCtxPopup.h"

#include <gtest/gtest.h>

#include <memory>

using msg_app::MCommonPopup;
using msg_app::MCommonProgressPopup;
using msg_app::MCommonSelectCtxPopup;

namespace {

class PopupCallbackLifetimeTest : public WatchScreenTest {
protected:
    // The captures of one callback, watched from outside: the callback holds the only reference.
    struct Watched {
        std::shared_ptr<int> capture = std::make_shared<int>(0);
        std::weak_ptr<int> watch = capture;
    };
    // What a callback does: replace its own popup by another, then look at its captures.
    void replaceAndLook(const Watched& watched, const std::shared_ptr<int>& capture) {
        ++calls;
        page->attachPopup(
            MCommonPopup::createToastPopup("WDS_TPLATFORM_TPOP_SELECT_ITEMS", nullptr, nullptr));
        capturesAlive = !watched.watch.expired() && *capture == 0;
    }
    void expectCalledWithCapturesAlive() {
        settle();
        EXPECT_EQ(1, calls);
        EXPECT_TRUE(capturesAlive) << "the callback's captures died while it ran";
    }

    int calls = 0;
    bool capturesAlive = false;
};

TEST_F(PopupCallbackLifetimeTest, ConfirmationButtonsAndBackKey) {
    enum Way { OK, CANCEL, BACK };
    for (Way way : {OK, CANCEL, BACK}) {
        SCOPED_TRACE(way);
        calls = 0;
        capturesAlive = false;
        Watched watched;
        MCommonPopup::ButtonCb run = [this, &watched, capture = std::move(watched.capture)](void*,
                                                                                            bool* close) {
            replaceAndLook(watched, capture);
            *close = true;
        };
        auto idle = [](void*, bool*) {};
        MCommonPopup* popup = MCommonPopup::createOkCancelPopup(
            nullptr, "WDS_MSG_POP_DISCARD_MESSAGE_Q", way == OK ? run : idle, way == CANCEL ? run : idle,
            way == BACK ? run : idle, nullptr, nullptr);
        run = nullptr;
        ASSERT_TRUE(page->attachPopup(popup));
        auto weak = popup->getWeakPtr();
        if (way == BACK) {
            settle();
            pressKey("Escape");
        } else {
            Evas_Object* button =
                elm_object_part_content_get(popup->getEvasObject(), way == OK ? "button2" : "button1");
            ASSERT_TRUE(msg_test::runLoopUntilShown(button));
            clickCenter(button);
        }
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return weak.expired(); }));
        expectCalledWithCapturesAlive();
        page->destroyPopup();
    }
}

TEST_F(PopupCallbackLifetimeTest, ProgressPopupBackKey) {
    Watched watched;
    MCommonProgressPopup* popup = MCommonProgressPopup::createPopup(
        MCommonProgressPopup::SENDING, "WDS_WNOTI_TPOP_SENDING_ING_ABB", nullptr,
        [this, &watched, capture = std::move(watched.capture)](void*, bool*) {
            replaceAndLook(watched, capture);
        },
        nullptr);
    ASSERT_TRUE(page->attachPopup(popup));
    ASSERT_TRUE(backCloses(popup));
    expectCalledWithCapturesAlive();
}

TEST_F(PopupCallbackLifetimeTest, SelectAllItem) {
    Watched watched;
    auto* popup = new MCommonSelectCtxPopup();
    std::weak_ptr<view_kit::WViewController> weak = popup->getWeakPtr();
    popup->setSelectAllItemCb([this, &watched, weak, capture = std::move(watched.capture)] {
        ++calls;
        if (auto self = weak.lock())
            self->destroy();
        capturesAlive = !watched.watch.expired() && *capture == 0;
    });
    ASSERT_TRUE(popup->create(page->getEvasObject(), nullptr));
    Elm_Object_Item* item = elm_ctxpopup_first_item_get(popup->getEvasObject());
    ASSERT_NE(nullptr, item);
    settle();
    elm_ctxpopup_item_selected_set(item, EINA_TRUE);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return weak.expired(); }));
    expectCalledWithCapturesAlive();
}

} // namespace
