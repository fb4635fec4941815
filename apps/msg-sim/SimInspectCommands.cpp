// msg-sim inspect: asks the running messaging application what its screen shows, as a test that
// drives its window does. The application answers only when it was started with MSG_INSPECT set.
#include "SimInspectCommands.h"

#include "SimCommand.h"
#include "bundle.h"
#include "common/AppIds.h"
#include "message_port.h"

#include <Ecore.h>
#include <json-glib/json-glib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* INSPECT_PORT = "inspect";
constexpr const char* ANSWER_PORT = "inspection";
constexpr double DEFAULT_TIMEOUT_SECONDS = 10.0;

// The request in flight: its token, and the screen once the answer carrying it came.
struct Pending {
    std::string token;
    std::string screen;
    bool answered = false;
};

void answerCb(int, const char*, const char*, bool, bundle* message, void* data) {
    auto* pending = static_cast<Pending*>(data);
    char* token = nullptr;
    char* screen = nullptr;
    // Another msg-sim asking the same device listens on the same port: its answers are not ours.
    if (bundle_get_str(message, "token", &token) != 0 || !token || pending->token != token ||
        bundle_get_str(message, "screen", &screen) != 0 || !screen)
        return;
    pending->screen = screen;
    pending->answered = true;
    ecore_main_loop_quit();
}

Eina_Bool timeoutCb(void*) {
    ecore_main_loop_quit();
    return ECORE_CALLBACK_CANCEL;
}

// Sends the request and runs the main loop until the answer or the timeout; false on either failure.
bool ask(const std::string& app, double timeout, Pending& pending, std::string& error) {
    int port = message_port_register_local_port(ANSWER_PORT, answerCb, &pending);
    if (port < 0) {
        error = "cannot listen for the answer";
        return false;
    }
    bundle* request = bundle_create();
    bundle_add_str(request, "token", pending.token.c_str());
    int result = message_port_send_message(app.c_str(), INSPECT_PORT, request);
    bundle_free(request);
    if (result != MESSAGE_PORT_ERROR_NONE) {
        error = app + " does not listen for inspection (started without MSG_INSPECT?)";
    } else {
        Ecore_Timer* timer = ecore_timer_add(timeout, timeoutCb, nullptr);
        ecore_main_loop_begin();
        if (!pending.answered)
            error = app + " did not answer";
        else
            ecore_timer_del(timer);
    }
    message_port_unregister_local_port(port);
    return pending.answered;
}

// One line per screen, panel and row: what a reader of the terminal wants to see.
void printSummary(const std::string& screen, long answerMs) {
    JsonParser* parser = json_parser_new();
    if (!json_parser_load_from_data(parser, screen.c_str(), -1, nullptr)) {
        g_object_unref(parser);
        std::printf("%s\n", screen.c_str());
        return;
    }
    auto texts = [](JsonObject* o) {
        std::string joined;
        JsonArray* array = json_object_get_array_member(o, "texts");
        for (guint i = 0; array && i < json_array_get_length(array); ++i)
            joined += std::string(joined.empty() ? "" : " | ") +
                      json_object_get_string_member(json_array_get_object_element(array, i), "text");
        return joined;
    };
    JsonObject* root = json_node_get_object(json_parser_get_root(parser));
    std::printf("answered in %ld ms; state %s\n", answerMs, json_object_get_string_member(root, "state"));
    JsonArray* views = json_object_get_array_member(root, "views");
    for (guint i = 0; i < json_array_get_length(views); ++i) {
        JsonObject* view = json_array_get_object_element(views, i);
        if (json_object_get_boolean_member(view, "seen"))
            std::printf("view %s: %s\n", json_object_get_string_member(view, "class"), texts(view).c_str());
    }
    JsonArray* lists = json_object_get_array_member(root, "lists");
    for (guint i = 0; i < json_array_get_length(lists); ++i) {
        JsonObject* list = json_array_get_object_element(lists, i);
        JsonArray* rows = json_object_get_array_member(list, "rows");
        std::printf("list of %s, %lld rows\n", json_object_get_string_member(list, "view"),
                    static_cast<long long>(json_object_get_int_member(list, "count")));
        for (guint r = 0; r < json_array_get_length(rows); ++r) {
            JsonObject* row = json_array_get_object_element(rows, r);
            std::string shown = texts(row);
            if (!shown.empty())
                std::printf("  %4lld %s%s\n",
                            static_cast<long long>(json_object_get_int_member(row, "index")),
                            json_object_has_member(row, "checked")
                                ? (json_object_get_boolean_member(row, "checked") ? "[x] " : "[ ] ")
                                : "",
                            shown.c_str());
        }
    }
    g_object_unref(parser);
}

int runInspect(msg_sim::SimArgs& args) {
    std::string app = msg_app::app_id::MESSAGE;
    std::string timeoutText;
    args.option("--app", app);
    bool hasTimeout = args.option("--timeout", timeoutText);
    if (!args.ok())
        return msg_sim::simUsageError(args, args.error());
    double timeout = DEFAULT_TIMEOUT_SECONDS;
    if (hasTimeout) {
        char* end = nullptr;
        timeout = std::strtod(timeoutText.c_str(), &end);
        if (end == timeoutText.c_str() || *end || !(timeout > 0))
            return msg_sim::simUsageError(args, "--timeout takes a positive number of seconds");
    }
    Pending pending;
    pending.token = std::to_string(getpid()) + "-" + std::to_string(Clock::now().time_since_epoch().count());
    // The main loop only carries the answer: the system modules would look for D-Bus services.
    setenv("ECORE_NO_SYSTEM_MODULES", "1", 0);
    ecore_init();
    auto sent = Clock::now();
    std::string error;
    bool answered = ask(app, timeout, pending, error);
    ecore_shutdown();
    if (!answered)
        return msg_sim::simFailure(args, error);
    long answerMs =
        static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - sent).count());
    if (args.json())
        std::printf("{\"answer_ms\":%ld,\"screen\":%s}\n", answerMs, pending.screen.c_str());
    else
        printSummary(pending.screen, answerMs);
    return 0;
}

} // namespace

void msg_sim::registerInspectCommands() {
    addSimCommand({"inspect", "[--app APP_ID] [--timeout SECONDS]",
                   "asks the running application (started with MSG_INSPECT=1) what its screen shows",
                   runInspect});
}
