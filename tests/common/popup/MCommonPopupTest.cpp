// Confirmation popups, toasts and the system popup request, on real widgets with real input; and a
// popup destroyed while one of its own callbacks runs (attaching the next popup on the same screen
// does that): what the callback captured must live until the callback returns, for every kind of
// popup with callbacks.
#include "common/popup/MCommonPopup.h"
#include "LaunchJournal.h"
#include "MainLoop.h"
#include "WatchScreenTest.h"
#include "common/popup/MCommonProgressPopup.h"
#include "common/popup/MCommonSelectCtxPopup.h"

#include <gtest/gtest.h>

#include <memory>

using msg_app::MCommonPopup;
using msg_app::MCommonProgressPopup;
using msg_app::MCommonSelectCtxPopup;

namespace {

class MCommonPopupTest : public WatchScreenTest {
protected:
    Evas_Object* button(MCommonPopup* popup, const char* part) {
        return elm_object_part_content_get(popup->getEvasObject(), part);
    }
    Evas_Object* content(MCommonPopup* popup) { return elm_object_content_get(popup->getEvasObject()); }

    struct Calls {
        int ok = 0;
        int cancel = 0;
        int back = 0;
        int destroyed = 0;
        void* lastData = nullptr;
        const Evas_Object* destroyedPopup = nullptr;
    };
    // Members: a popup still up at the end is destroyed with the window, after the test body.
    Calls calls;
    Calls plain;
    bool close = false;
    // Each callback records itself and closes the popup when the flag says so.
    MCommonPopup* makePopup(Calls& calls, bool withCancel, bool withBack) {
        auto record = [this, &calls](int Calls::*counter) {
            return [this, &calls, counter](void* data, bool* destroyPopup) {
                ++(calls.*counter);
                calls.lastData = data;
                *destroyPopup = close;
            };
        };
        MCommonPopup::ButtonCb cancel = withCancel ? MCommonPopup::ButtonCb(record(&Calls::cancel)) : nullptr;
        MCommonPopup::ButtonCb back = withBack ? MCommonPopup::ButtonCb(record(&Calls::back)) : nullptr;
        return MCommonPopup::createOkCancelPopup(
            "WDS_MSG_OPT_DELETE_ABB", "WDS_MSG_NPBODY_NO_MESSAGES_ABB", record(&Calls::ok), cancel, back,
            [&calls](void* data, const Evas_Object* popup) {
                ++calls.destroyed;
                calls.lastData = data;
                calls.destroyedPopup = popup;
                // The object still exists while the callback runs.
                EXPECT_TRUE(evas_object_type_get(popup) != nullptr);
            },
            &calls);
    }
};

TEST_F(MCommonPopupTest, ButtonCountChoosesTheLayoutAndContentGoesIntoItsPart) {
    for (bool withCancel : {false, true}) {
        SCOPED_TRACE(withCancel ? "OK and cancel" : "OK");
        MCommonPopup* popup = makePopup(calls, withCancel, false);
        ASSERT_TRUE(page->attachPopup(popup));
        EXPECT_EQ(withCancel ? "elm/layout/popup/content/circle/buttons2"
                             : "elm/layout/popup/content/circle/buttons1",
                  layoutGroup(content(popup)));
        EXPECT_EQ("Delete", partText(content(popup), "elm.text.title"));
        EXPECT_EQ("No messages", partText(content(popup), "elm.text"));
        ASSERT_NE(nullptr, button(popup, "button1"));
        EXPECT_EQ(withCancel, button(popup, "button2") != nullptr);
        if (!withCancel) {
            EXPECT_STREQ("OK", elm_object_text_get(button(popup, "button1")));
        }
        page->destroyPopup();
    }

    Evas_Object* inner = nullptr;
    MCommonPopup* popup = MCommonPopup::createOkCancelPopup(
        "WDS_MSG_OPT_DELETE_ABB", [&](Evas_Object* parent) { return inner = elm_label_add(parent); }, nullptr,
        nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(page->attachPopup(popup));
    ASSERT_NE(nullptr, inner);
    EXPECT_EQ(inner, elm_object_part_content_get(content(popup), "elm.swallow.content"));
    // An OK button without a callback just closes the popup.
    auto weak = popup->getWeakPtr();
    ASSERT_TRUE(msg_test::runLoopUntilShown(button(popup, "button1")));
    clickCenter(button(popup, "button1"));
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return weak.expired(); }));
}

TEST_F(MCommonPopupTest, ButtonsAndTheBackKeyAskTheirCallbackWhichDecidesThroughTheFlag) {
    MCommonPopup* popup = makePopup(calls, true, true);
    ASSERT_TRUE(page->attachPopup(popup));
    auto weak = popup->getWeakPtr();
    Evas_Object* popupObj = popup->getEvasObject();
    ASSERT_TRUE(msg_test::runLoopUntilShown(button(popup, "button2")));

    // Kept open by the cancel and back callbacks, then closed by OK.
    clickCenter(button(popup, "button1"));
    settle();
    pressKey("Escape");
    settle();
    EXPECT_EQ(1, calls.cancel);
    EXPECT_EQ(1, calls.back);
    EXPECT_EQ(&calls, calls.lastData);
    ASSERT_FALSE(weak.expired());
    close = true;
    clickCenter(button(popup, "button2"));
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return weak.expired(); }));
    EXPECT_EQ(1, calls.ok);
    EXPECT_EQ(1, calls.destroyed);
    EXPECT_EQ(popupObj, calls.destroyedPopup);

    // Without a back callback the key just closes the popup; the OK button was never asked. A toast
    // closes on the key too.
    close = false;
    MCommonPopup* closing = makePopup(plain, false, false);
    ASSERT_TRUE(page->attachPopup(closing));
    EXPECT_TRUE(backCloses(closing));
    EXPECT_EQ(0, plain.ok);
    EXPECT_EQ(1, plain.destroyed);
    MCommonPopup* toast = MCommonPopup::createToastPopup("WDS_TPLATFORM_TPOP_SELECT_ITEMS", nullptr, nullptr);
    ASSERT_TRUE(toast->create(window->getBaseObject(), nullptr));
    EXPECT_TRUE(backCloses(toast));
}

TEST_F(MCommonPopupTest, ToastUsesItsIconStyleAndGoesAfterItsTimeout) {
    const std::pair<MCommonPopup::IconType, const char*> cases[] = {
        {MCommonPopup::SENT_SUCCESS, "toast/circle/check"}, {MCommonPopup::MEMORY_FULL, "toast/circle"}};
    for (const auto& [icon, style] : cases) {
        int destroyed = 0;
        double goneAt = 0;
        double start = ecore_time_get();
        MCommonPopup* toast = MCommonPopup::createToastPopup(
            "WDS_TPLATFORM_TPOP_SELECT_ITEMS",
            [&](void*, const Evas_Object*) {
                ++destroyed;
                goneAt = ecore_time_get();
            },
            nullptr, 0.3, icon);
        ASSERT_TRUE(toast->create(window->getBaseObject(), nullptr));
        auto weak = toast->getWeakPtr();
        EXPECT_STREQ(style, elm_object_style_get(toast->getEvasObject()));
        EXPECT_EQ("Select items", partText(toast->getEvasObject(), "elm.text"));
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return weak.expired(); })) << style;
        // The timer counts from the loop's cached time, which lags the clock on a busy machine: the
        // bound tells a toast that waits from one that goes at once.
        EXPECT_GE(goneAt - start, 0.15);
        EXPECT_EQ(1, destroyed);
    }
}

TEST_F(MCommonPopupTest, WithTheScreenReaderAToastStaysUntilItsTextIsRead) {
    setBool("db/setting/accessibility/tts", true);
    int destroyed = 0;
    MCommonPopup* toast = MCommonPopup::createToastPopup(
        "WDS_TPLATFORM_TPOP_SELECT_ITEMS", [&](void*, const Evas_Object*) { ++destroyed; }, nullptr, 0.2);
    ASSERT_TRUE(toast->create(window->getBaseObject(), nullptr));
    auto weak = toast->getWeakPtr();
    // A timer as long as the toast's, set after it, fires after the toast's timeout has passed.
    bool timedOut = false;
    ecore_timer_add(
        0.2,
        [](void* data) {
            *static_cast<bool*>(data) = true;
            return ECORE_CALLBACK_CANCEL;
        },
        &timedOut);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return timedOut; }));
    ASSERT_FALSE(weak.expired());
    evas_object_smart_callback_call(toast->getEvasObject(), "access,read,stop", nullptr);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return weak.expired(); }));
    EXPECT_EQ(1, destroyed);
}

TEST_F(MCommonPopupTest, SystemPopupRequestCarriesTextAndImageKey) {
    using msg_services::LaunchJournal;
    ASSERT_TRUE(MCommonPopup::launchPopup("WDS_MSG_TPOP_SENT", MCommonPopup::SENT_SUCCESS));
    ASSERT_TRUE(MCommonPopup::launchPopup("WDS_MSG_TPOP_PLAIN", MCommonPopup::NONE));
    EXPECT_FALSE(MCommonPopup::launchPopup(nullptr, MCommonPopup::SENT_FAILED));
    auto entries = LaunchJournal::list();
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ(MCommonPopup::SYSTEM_POPUP_APP_ID, entries[0].target);
    const std::string& sent = entries[0].request;
    EXPECT_NE(std::string::npos, sent.find("WDS_MSG_TPOP_SENT")) << sent;
    EXPECT_NE(std::string::npos, sent.find("sent_success")) << sent;
    EXPECT_EQ(std::string::npos, entries[1].request.find("request_img_key")) << entries[1].request;
}

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
