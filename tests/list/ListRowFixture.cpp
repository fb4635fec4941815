#include "ListRowFixture.h"

#include "common/CommonUiHelper.h"
#include "common/addr/MCommonAddrMgr.h"
#include "common/ui/MCommonI18n.h"
#include "common/ui/MCommonTheme.h"
#include "device/Device.h"
#include "list/MLReusableObjectPool.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"
#include "vconf.h"

#include <clocale>
#include <cstdlib>

using namespace msg_app::msg_list;

void ListRowFixture::SetUpTestSuite() {
    setenv("LANGUAGE", "en", 1);
    std::setlocale(LC_ALL, "C.UTF-8");
}

void ListRowFixture::SetUp() {
    ASSERT_EQ(msg_store::ConnectionManager::connect(), msg_store::MSG_STORE_SUCCESS);
    ASSERT_TRUE(msg_app::common_ui_helper::set_textdomain());
    vconf_set_str("db/menu_widget/regionformat", "en_US.UTF-8");
    window = std::make_unique<msg_test::TestWindow>();
    ASSERT_TRUE(msg_app::MCommonTheme::getInstance()->init());
    genlist = elm_genlist_add(window->win());
    elm_genlist_mode_set(genlist, ELM_LIST_COMPRESS);
    evas_object_resize(genlist, 360, 360);
    evas_object_show(genlist);
    evas_object_smart_callback_add(genlist, "realized", _realizedCb, nullptr);
    evas_object_smart_callback_add(genlist, "unrealized", _unrealizedCb, nullptr);
    MLReusableObjectPool::getInstance()->init(genlist);
}

void ListRowFixture::TearDown() {
    evas_object_del(genlist);
    MLReusableObjectPool::destroy();
    window.reset();
    msg_app::MCommonTheme::getInstance()->deinit();
    msg_app::MCommonAddrMgr::release();
    msg_app::MCommonI18n::release();
    msg_test::runLoopUntilIdle();
    msg_store::ConnectionManager::disconnect();
    msg_device::Device::closeDefault();
}

// The genlist may hold rows of other screens (the viewer's tests share this fixture).
static MLItem* rowOf(Elm_Object_Item* item) {
    return dynamic_cast<MLItem*>(static_cast<view_kit::WGenlistItem*>(elm_object_item_data_get(item)));
}

void ListRowFixture::_realizedCb(void* /*data*/, Evas_Object* /*obj*/, void* info) {
    auto* row = rowOf(static_cast<Elm_Object_Item*>(info));
    if (row && row->getType() == MLItem::CONTENT)
        static_cast<MLItemContent*>(row)->realized();
}

void ListRowFixture::_unrealizedCb(void* /*data*/, Evas_Object* /*obj*/, void* info) {
    auto* row = rowOf(static_cast<Elm_Object_Item*>(info));
    if (row && row->getType() == MLItem::CONTENT) {
        static_cast<MLItemContent*>(row)->unrealized();
        static_cast<MLItemContent*>(row)->unswallow();
    }
}

msg_store::IncomingMessage ListRowFixture::incoming(const std::string& from, const std::string& text,
                                                    int64_t timeMs) {
    msg_store::IncomingMessage message;
    message.addresses = {{msg_store::ADDRESS_TYPE_PHONE, from}};
    message.text = text;
    message.time = timeMs;
    return message;
}

int ListRowFixture::threadOf(int msgId) {
    msg_store::Message stored;
    EXPECT_EQ(msg_store::MessageManager().getMessage(msgId, stored), msg_store::MSG_STORE_SUCCESS);
    return stored.threadId;
}

int ListRowFixture::conversation(const msg_store::IncomingMessage& message) {
    int msgId = -1;
    EXPECT_EQ(msg_store::PhoneSide::insertMessage(message, &msgId), msg_store::MSG_STORE_SUCCESS);
    return msgId < 0 ? -1 : threadOf(msgId);
}

int ListRowFixture::conversation(const std::string& from, int count, const std::string& text,
                                 const std::string& subject, int64_t timeMs) {
    std::vector<msg_store::IncomingMessage> messages(count, incoming(from, text));
    for (int i = 0; i < count; ++i) {
        messages[i].subject = subject;
        messages[i].time = timeMs - (count - 1 - i);
    }
    std::vector<int> ids;
    EXPECT_EQ(msg_store::PhoneSide::insertMessages(messages, &ids), msg_store::MSG_STORE_SUCCESS);
    return ids.empty() ? -1 : threadOf(ids.back());
}

int ListRowFixture::blockedMessage(const std::string& from, const std::string& text) {
    msg_store::IncomingMessage spam = incoming(from, text);
    spam.folderType = msg_store::FOLDER_WATCH_SPAM;
    int msgId = -1;
    EXPECT_EQ(msg_store::PhoneSide::insertMessage(spam, &msgId), msg_store::MSG_STORE_SUCCESS);
    return msgId;
}

MLItemContent* ListRowFixture::appendRow(int id, DataType type, ListFilter filter) {
    auto* row = new MLItemContent(type, filter, store);
    EXPECT_TRUE(row->init(id, nullptr));
    EXPECT_TRUE(wgenlist_item_append(genlist, nullptr, row, ELM_GENLIST_ITEM_NONE));
    return row;
}

bool ListRowFixture::waitRealized(MLItem* row) {
    return msg_test::pumpUntil([&] {
        Evas_Object* track = elm_object_item_track(row->getElmObjectItem());
        bool realized = track != nullptr;
        elm_object_item_untrack(row->getElmObjectItem());
        return realized;
    });
}

std::string ListRowFixture::shown(MLItem* row, const char* part) {
    const char* text = elm_object_item_part_text_get(row->getElmObjectItem(), part);
    return text ? text : "";
}

msg_test::ProgramRun ListRowFixture::sim(const std::vector<std::string>& args) {
    msg_test::ProgramRun run = msg_test::runSim(args, device.path());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return run;
}
