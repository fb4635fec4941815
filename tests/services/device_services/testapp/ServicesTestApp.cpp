// A small application of the tests. Started by a launch request, it answers with what it read
// and, when asked, stays until a terminate request arrives.
#include "app_control.h"
#include "device/Device.h"
#include "journal.h"

#include <Ecore.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string extra(app_control_h request, const char* key) {
    char* value = nullptr;
    if (app_control_get_extra_data(request, key, &value) != APP_CONTROL_ERROR_NONE || !value)
        return std::string();
    std::string text(value);
    std::free(value);
    return text;
}

void terminatedCb(void*) {
    journal_log("TESTAPP", "terminated");
    ecore_main_loop_quit();
}

Eina_Bool giveUpCb(void*) {
    journal_log("TESTAPP", "gave up waiting");
    ecore_main_loop_quit();
    return ECORE_CALLBACK_CANCEL;
}

int answer(app_control_h request) {
    char** items = nullptr;
    int count = 0;
    app_control_get_extra_data_array(request, "items", &items, &count);
    std::string joined;
    for (int i = 0; i < count; ++i) {
        joined += (i ? "," : "") + std::string(items[i]);
        std::free(items[i]);
    }
    std::free(items);
    char* caller = nullptr;
    app_control_get_caller(request, &caller);

    app_control_h reply = nullptr;
    app_control_create(&reply);
    app_control_add_extra_data(reply, "echo", extra(request, "text").c_str());
    app_control_add_extra_data(reply, "items", joined.c_str());
    app_control_add_extra_data(reply, "caller", caller ? caller : "");
    std::free(caller);
    int result = app_control_reply_to_launch_request(reply, request, APP_CONTROL_RESULT_SUCCEEDED);
    // Only the first answer counts.
    int again = app_control_reply_to_launch_request(reply, request, APP_CONTROL_RESULT_FAILED);
    journal_log("TESTAPP", "replied %d again %d", result, again);
    app_control_destroy(reply);
    return result == APP_CONTROL_ERROR_NONE ? 0 : 1;
}

} // namespace

int main() {
    ecore_init();
    app_control_h request = nullptr;
    if (app_control_get_launch_request(&request) != APP_CONTROL_ERROR_NONE) {
        std::fprintf(stderr, "not started by a launch request\n");
        ecore_shutdown();
        return 2;
    }
    int status = answer(request);
    if (extra(request, "wait") == "terminate") {
        app_control_set_terminate_handler(terminatedCb, nullptr);
        journal_log("TESTAPP", "waiting");
        Ecore_Timer* timer = ecore_timer_add(20.0, giveUpCb, nullptr);
        ecore_main_loop_begin();
        ecore_timer_del(timer);
    }
    app_control_destroy(request);
    // The device's folder watch belongs to the main loop: close it before the loop goes.
    msg_device::Device::closeDefault();
    ecore_shutdown();
    return status;
}
