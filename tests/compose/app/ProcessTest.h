// The composer's processes as the device starts them, on a device whose phone is connected: launch
// requests in, the launch journal's record of them, and the messages they leave in the store.
#ifndef MSG_TESTS_COMPOSE_APP_PROCESSTEST_H
#define MSG_TESTS_COMPOSE_APP_PROCESSTEST_H

#include "CommonDeviceTest.h"

#include "LaunchJournal.h"
#include "MainLoop.h"
#include "app_control.h"
#include "msg_store/MessageManager.h"
#include "msg_store/PhoneSide.h"

#include <string>
#include <utility>
#include <vector>

class ProcessTest : public CommonDeviceTest {
protected:
    using Extras = std::vector<std::pair<const char*, std::string>>;
    static constexpr const char* SEND_APP = "com.vorlane.msg-send";
    static constexpr const char* COMPOSE_APP = "com.vorlane.message.appcontrol.compose";
    static constexpr const char* SELECTOR_APP = "com.vorlane.w-input-selector";

    void SetUp() override {
        CommonDeviceTest::SetUp();
        applyProfile("phone-bt");
    }
    // Sends the request as another application would; gives its journal id.
    static int64_t launch(const char* appId, const Extras& extras,
                          const std::vector<std::string>& keyboard = {},
                          app_control_launch_mode_e mode = APP_CONTROL_LAUNCH_MODE_SINGLE) {
        app_control_h request = nullptr;
        app_control_create(&request);
        app_control_set_app_id(request, appId);
        app_control_set_launch_mode(request, mode);
        for (const auto& [key, value] : extras)
            app_control_add_extra_data(request, key, value.c_str());
        std::vector<const char*> items;
        for (const auto& item : keyboard)
            items.push_back(item.c_str());
        if (!items.empty())
            app_control_add_extra_data_array(request, "selector_keyboard_data_array", items.data(),
                                             static_cast<int>(items.size()));
        EXPECT_EQ(APP_CONTROL_ERROR_NONE, app_control_send_launch_request(request, nullptr, nullptr));
        app_control_destroy(request);
        auto entries = msg_services::LaunchJournal::list(1);
        return entries.empty() ? 0 : entries.back().id;
    }
    static msg_services::LaunchEntry entry(int64_t id) {
        msg_services::LaunchEntry found;
        EXPECT_TRUE(msg_services::LaunchJournal::find(id, found));
        return found;
    }
    // The launches sent after the given one.
    static std::vector<msg_services::LaunchEntry> launchesAfter(int64_t id) {
        std::vector<msg_services::LaunchEntry> after;
        for (const auto& e : msg_services::LaunchJournal::list())
            if (e.id > id)
                after.push_back(e);
        return after;
    }
    static bool waitForExit(int64_t id) {
        return msg_test::pumpUntil([&] { return entry(id).status == "exited"; }, 20.0);
    }
    // The phone's waiting messages.
    static std::vector<msg_store::OutboxEntry> outbox() {
        std::vector<msg_store::OutboxEntry> entries;
        msg_store::PhoneSide::getOutbox(entries);
        return entries;
    }
    static bool waitForOutbox(msg_store::OutboxEntry& out) {
        return msg_test::pumpUntil(
            [&] {
                auto entries = outbox();
                if (!entries.empty())
                    out = entries.front();
                return !entries.empty();
            },
            20.0);
    }
    static msg_store::Message stored(int msgId) {
        msg_store::Message message;
        EXPECT_EQ(0, msg_store::MessageManager().getMessage(msgId, message));
        return message;
    }
};

#endif
