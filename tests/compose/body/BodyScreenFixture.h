// The body screen on the watch's window over a fresh device whose phone is connected: pushed over
// a host page, as inside the messaging application, so that leaving it is seen as a pop.
#ifndef MSG_TESTS_COMPOSE_BODY_BODYSCREENFIXTURE_H
#define MSG_TESTS_COMPOSE_BODY_BODYSCREENFIXTURE_H

#include "MainLoop.h"
#include "WatchScreenTest.h"
#include "common/Preference.h"
#include "common/ui/MCommonI18n.h"
#include "compose/MCMsgData.h"
#include "compose/body/MCBodyContentViewController.h"
#include "compose/body/MCBodyEntryContentViewController.h"
#include "compose/body/MCItemBody.h"
#include "feedback.h"
#include "msg_store/ConnectionManager.h"
#include "msg_store/Message.h"
#include "msg_store/MessageManager.h"
#include "msg_store/MsgStoreTypes.h"
#include "msg_store/PhoneSide.h"
#include "vconf.h"
#include "view_kit/WNaviframeController.h"
#include "view_kit/WPopupController.h"

#include <clocale>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

class BodyScreenFixture : public WatchScreenTest {
protected:
    using Body = msg_app::compose::MCBodyContentViewController;
    using Editor = msg_app::compose::MCBodyEntryContentViewController;

    static void SetUpTestSuite() {
        setenv("LANGUAGE", "en", 1);
        std::setlocale(LC_ALL, "C.UTF-8");
    }
    void SetUp() override {
        WatchScreenTest::SetUp();
        applyProfile("phone-bt");
        ASSERT_EQ(msg_store::ConnectionManager::connect(), msg_store::MSG_STORE_SUCCESS);
        vconf_set_str("db/menu_widget/regionformat", "en_US.UTF-8");
        feedback_initialize();
    }
    void TearDown() override {
        window->destroy();
        feedback_deinitialize();
        msg_app::MCommonI18n::release();
        settle();
        msg_store::ConnectionManager::disconnect();
        WatchScreenTest::TearDown();
    }

    void setMmsSupported(bool supported) {
        ASSERT_TRUE(msg_app::preference::set(msg_store::PREF_BOOL_SUPPORT_SENDING_MMS, supported));
    }
    // Pushes the body screen for a message to one recipient with the text.
    Body* open(const std::string& text) {
        auto record = std::make_shared<msg_app::compose::MCMsgData>();
        record->recipient = {"+15550100001"};
        record->body = text;
        return open(record);
    }
    Body* open(std::shared_ptr<msg_app::compose::MCMsgData> record) {
        show(new Body(record, nullptr));
        return screen;
    }
    // Pushes the page; the body screen's record and screen when it is one.
    view_kit::WContentViewController* show(view_kit::WContentViewController* page) {
        if (auto* body = dynamic_cast<Body*>(page)) {
            screen = body;
            screenWeak = body->getWeakPtr();
            msg = body->getMsgData();
        }
        EXPECT_TRUE(window->getNaviframeController()->push(page));
        EXPECT_TRUE(waitPageReady(page));
        return page;
    }
    msg_app::compose::MCItemBody* body() const { return screenOpen() ? screen->getBodyItem() : nullptr; }
    bool screenOpen() const { return !screenWeak.expired(); }
    // "23/160" or the MMS mark, as the counter shows it.
    std::string counter() const {
        Evas_Object* layout = body() ? body()->getCounter() : nullptr;
        if (!layout)
            return "";
        return partText(layout, "remain/char") + partText(layout, "slash/char") +
               partText(layout, "max/char") + partText(layout, "mms/char");
    }
    Evas_Object* popup() const {
        for (Evas_Object* obj = evas_object_top_get(evas()); obj; obj = evas_object_below_get(obj)) {
            if (dynamic_cast<view_kit::WPopupController*>(wviewcontroller_get_instance_from_evasobj(obj)))
                return obj;
        }
        return nullptr;
    }
    std::string popupText() const {
        Evas_Object* obj = popup();
        if (!obj)
            return "";
        // A confirmation's text is in its content layout, a progress popup's in the part "text".
        Evas_Object* content = elm_object_content_get(obj);
        for (const char* part : {"elm.text", "text"}) {
            std::string text = content ? partText(content, part) : std::string();
            if (!text.empty())
                return text;
        }
        return partText(obj, "elm.text");
    }
    // A tap on the popup's OK (button2) or Cancel (button1).
    bool tapPopupButton(const char* part) {
        Evas_Object* button = popup() ? elm_object_part_content_get(popup(), part) : nullptr;
        // The show transition ends before the buttons take clicks.
        if (!button || !msg_test::runLoopUntilShown(button))
            return false;
        clickCenter(button);
        return true;
    }
    bool waitPopupText(const std::string& text, double timeout = 5.0) {
        return msg_test::pumpUntil([&] { return popupText() == text; }, timeout);
    }
    bool waitNoPopup(double timeout = 10.0) {
        return msg_test::pumpUntil([&] { return popup() == nullptr; }, timeout);
    }
    // The back key's action on the top page.
    void back() {
        window->getNaviframeController()->pop();
        settle();
    }
    // The back key, and a tap on a button of the question whether to discard the text.
    bool backAndAnswer(const char* button) {
        back();
        return waitPopupText("Discard message?") && tapPopupButton(button);
    }
    // Taps the preview; the editor on top of the naviframe.
    Editor* openEditor() {
        clickCenter(body()->getEntry());
        Editor* editor = nullptr;
        msg_test::runLoopUntil([&] {
            editor = dynamic_cast<Editor*>(window->getNaviframeController()->getTopContentViewController());
            return editor != nullptr;
        });
        if (editor)
            waitPageReady(editor);
        return editor;
    }
    // Plain text inserted into the editor where its cursor is, as a keyboard or a paste does.
    void insert(Editor* editor, const std::string& plain) {
        char* markup = elm_entry_utf8_to_markup(plain.c_str());
        elm_entry_entry_insert(editor->getEntry(), markup);
        free(markup);
        settle();
    }
    // Every message waiting in the phone's and the watch's outboxes, oldest first.
    static std::vector<msg_store::OutboxEntry> outbox() {
        std::vector<msg_store::OutboxEntry> entries;
        msg_store::PhoneSide::getOutbox(entries);
        return entries;
    }
    static msg_store::Message stored(int msgId) {
        msg_store::Message message;
        EXPECT_EQ(0, msg_store::MessageManager().getMessage(msgId, message));
        return message;
    }

    std::shared_ptr<msg_app::compose::MCMsgData> msg;
    Body* screen = nullptr;
    std::weak_ptr<view_kit::WViewController> screenWeak;
};

#endif
