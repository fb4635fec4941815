#include "BodyScreenFixture.h"

#include "MainLoop.h"
#include "common/ui/MCommonI18n.h"
#include "feedback.h"
#include "msg_store/ConnectionManager.h"
#include "msg_store/MessageManager.h"
#include "vconf.h"
#include "view_kit/WNaviframeController.h"
#include "view_kit/WPopupController.h"

#include <clocale>
#include <cstdlib>

using namespace msg_app::compose;

void BodyScreenFixture::SetUpTestSuite() {
    setenv("LANGUAGE", "en", 1);
    std::setlocale(LC_ALL, "C.UTF-8");
}

void BodyScreenFixture::SetUp() {
    WatchScreenTest::SetUp();
    applyProfile("phone-bt");
    ASSERT_EQ(msg_store::ConnectionManager::connect(), msg_store::MSG_STORE_SUCCESS);
    vconf_set_str("db/menu_widget/regionformat", "en_US.UTF-8");
    feedback_initialize();
}

void BodyScreenFixture::TearDown() {
    window->destroy();
    feedback_deinitialize();
    msg_app::MCommonI18n::release();
    settle();
    msg_store::ConnectionManager::disconnect();
    WatchScreenTest::TearDown();
}

MCBodyContentViewController* BodyScreenFixture::open(const std::string& text) {
    auto record = std::make_shared<MCMsgData>();
    record->recipient = {"+15550100001"};
    record->body = text;
    return open(record);
}

MCBodyContentViewController* BodyScreenFixture::open(std::shared_ptr<MCMsgData> record) {
    show(new MCBodyContentViewController(record, nullptr));
    return screen;
}

view_kit::WContentViewController* BodyScreenFixture::show(view_kit::WContentViewController* page) {
    if (auto* body = dynamic_cast<MCBodyContentViewController*>(page)) {
        screen = body;
        screenWeak = body->getWeakPtr();
        msg = body->getMsgData();
    }
    EXPECT_TRUE(window->getNaviframeController()->push(page));
    EXPECT_TRUE(waitPageReady(page));
    return page;
}

MCItemBody* BodyScreenFixture::body() const {
    return screenOpen() ? screen->getBodyItem() : nullptr;
}

std::string BodyScreenFixture::counter() const {
    MCItemBody* item = body();
    Evas_Object* layout = item ? item->getCounter() : nullptr;
    if (!layout)
        return "";
    return partText(layout, "remain/char") + partText(layout, "slash/char") + partText(layout, "max/char") +
           partText(layout, "mms/char");
}

Evas_Object* BodyScreenFixture::popup() const {
    for (Evas_Object* obj = evas_object_top_get(evas()); obj; obj = evas_object_below_get(obj)) {
        if (dynamic_cast<view_kit::WPopupController*>(wviewcontroller_get_instance_from_evasobj(obj)))
            return obj;
    }
    return nullptr;
}

std::string BodyScreenFixture::popupText() const {
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

bool BodyScreenFixture::waitPopupText(const std::string& text, double timeout) {
    return msg_test::pumpUntil([&] { return popupText() == text; }, timeout);
}

bool BodyScreenFixture::waitNoPopup(double timeout) {
    return msg_test::pumpUntil([&] { return popup() == nullptr; }, timeout);
}

bool BodyScreenFixture::tapPopupButton(const char* part) {
    Evas_Object* obj = popup();
    if (!obj)
        return false;
    Evas_Object* button = elm_object_part_content_get(obj, part);
    // The show transition ends before the buttons take clicks.
    if (!button || !msg_test::runLoopUntilShown(button))
        return false;
    clickCenter(button);
    return true;
}

void BodyScreenFixture::back() {
    window->getNaviframeController()->pop();
    settle();
}

MCBodyEntryContentViewController* BodyScreenFixture::openEditor() {
    clickCenter(body()->getEntry());
    auto* naviframe = window->getNaviframeController();
    MCBodyEntryContentViewController* editor = nullptr;
    msg_test::runLoopUntil([&] {
        editor = dynamic_cast<MCBodyEntryContentViewController*>(naviframe->getTopContentViewController());
        return editor != nullptr;
    });
    if (editor)
        waitPageReady(editor);
    return editor;
}

void BodyScreenFixture::insert(MCBodyEntryContentViewController* editor, const std::string& plain) {
    char* markup = elm_entry_utf8_to_markup(plain.c_str());
    elm_entry_entry_insert(editor->getEntry(), markup);
    free(markup);
    settle();
}

std::vector<msg_store::OutboxEntry> BodyScreenFixture::outbox() {
    std::vector<msg_store::OutboxEntry> entries;
    msg_store::PhoneSide::getOutbox(entries);
    return entries;
}

msg_store::Message BodyScreenFixture::stored(int msgId) {
    msg_store::Message message;
    EXPECT_EQ(0, msg_store::MessageManager().getMessage(msgId, message));
    return message;
}
