// The body screen on the watch's window over a fresh device whose phone is connected: pushed over
// a host page, as inside the messaging application, so that leaving it is seen as a pop.
#ifndef MSG_TESTS_COMPOSE_BODY_BODYSCREENFIXTURE_H
#define MSG_TESTS_COMPOSE_BODY_BODYSCREENFIXTURE_H

#include "WatchScreenTest.h"
#include "compose/MCMsgData.h"
#include "compose/body/MCBodyContentViewController.h"
#include "compose/body/MCBodyEntryContentViewController.h"
#include "compose/body/MCItemBody.h"
#include "msg_store/Message.h"
#include "msg_store/PhoneSide.h"

#include <memory>
#include <string>
#include <vector>

class BodyScreenFixture : public WatchScreenTest {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Pushes the body screen for a message to one recipient with the text.
    msg_app::compose::MCBodyContentViewController* open(const std::string& text);
    msg_app::compose::MCBodyContentViewController* open(std::shared_ptr<msg_app::compose::MCMsgData> msg);
    // Pushes the page; the body screen's record and screen when it is one.
    view_kit::WContentViewController* show(view_kit::WContentViewController* page);
    msg_app::compose::MCItemBody* body() const;
    bool screenOpen() const { return !screenWeak.expired(); }
    // "23/160" or the MMS mark, as the counter shows it.
    std::string counter() const;
    // The popup over the screen, its text, and a tap on its OK (button2) or Cancel (button1).
    Evas_Object* popup() const;
    std::string popupText() const;
    bool tapPopupButton(const char* part);
    bool waitPopupText(const std::string& text, double timeout = 5.0);
    bool waitNoPopup(double timeout = 10.0);
    // The back key's action on the top page.
    void back();
    // Taps the preview; the editor on top of the naviframe.
    msg_app::compose::MCBodyEntryContentViewController* openEditor();
    // Plain text inserted into the editor where its cursor is, as a keyboard or a paste does.
    void insert(msg_app::compose::MCBodyEntryContentViewController* editor, const std::string& plain);
    // Every message waiting in the phone's and the watch's outboxes, oldest first; a stored message.
    static std::vector<msg_store::OutboxEntry> outbox();
    static msg_store::Message stored(int msgId);

    std::shared_ptr<msg_app::compose::MCMsgData> msg;
    msg_app::compose::MCBodyContentViewController* screen = nullptr;
    std::weak_ptr<view_kit::WViewController> screenWeak;
};

#endif
