#include "ScreenRender.h"

#include "Application.h"
#include "MainLoop.h"
#include "PendingAct.h"
#include "Programs.h"
#include "ShotScreens.h"
#include "TempDir.h"
#include "device/Device.h"
#include "vconf.h"
#include "view_kit/WWindowController.h"

#include <Ecore.h>
#include <glib.h>
#include <json-glib/json-glib.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <vector>

namespace msg_look {

namespace {

constexpr const char* LANGUAGE_KEY = "db/menu_widget/language";
constexpr const char* DATABASE = "device.db";
// A frame is settled after this long without another, as msg-shot waits: a screen acts a moment
// after it shows (opens its panel, turns the bezel) and its transitions run before it rests. The
// quiet must also last this many ticks of the frame clock: on a loaded machine the process may
// not run for a while, and time alone would count a stalled transition as rest.
constexpr double QUIET_SECONDS = 0.5;
constexpr int QUIET_TICKS = 30;
// A screen that never rests (a spinner, a blinking cursor) has ended its transitions well before
// this; what turns on afterwards moves nothing the rules read.
constexpr double LIMIT_SECONDS = 3.0;

// Counts the window's frames and the frame clock's ticks since the last one, and notes a
// screen's own call for its picture.
struct FrameWatch {
    explicit FrameWatch(Evas_Object* win) : win(win) {
        evas_event_callback_add(evas_object_evas_get(win), EVAS_CALLBACK_RENDER_POST, renderCb, this);
        evas_object_smart_callback_add(win, msg_app::shell::CAPTURE_EVENT, captureCb, this);
        ticker = ecore_animator_add(tickCb, this);
    }
    ~FrameWatch() {
        evas_event_callback_del_full(evas_object_evas_get(win), EVAS_CALLBACK_RENDER_POST, renderCb, this);
        evas_object_smart_callback_del_full(win, msg_app::shell::CAPTURE_EVENT, captureCb, this);
        if (ticker)
            ecore_animator_del(ticker);
    }
    static void renderCb(void* data, Evas*, void*) {
        auto* self = static_cast<FrameWatch*>(data);
        ++self->frames;
        self->ticksSinceFrame = 0;
        self->last = ecore_time_get();
    }
    static Eina_Bool tickCb(void* data) {
        ++static_cast<FrameWatch*>(data)->ticksSinceFrame;
        return ECORE_CALLBACK_RENEW;
    }
    static void captureCb(void* data, Evas_Object*, void*) {
        auto* self = static_cast<FrameWatch*>(data);
        if (self->framesAtCapture < 0)
            self->framesAtCapture = self->frames;
    }
    bool settled() const {
        if (framesAtCapture >= 0)
            return frames > framesAtCapture;
        return frames > 0 && ticksSinceFrame >= QUIET_TICKS && ecore_time_get() - last >= QUIET_SECONDS &&
               msg_app::shell::PendingAct::count() == 0;
    }
    Evas_Object* win;
    Ecore_Animator* ticker = nullptr;
    int frames = 0;
    int framesAtCapture = -1;
    int ticksSinceFrame = 0;
    double last = 0;
};

// Names from msg-sim's contact list in JSON: an array of objects with a "name".
std::set<std::string> contactNames(const std::string& json) {
    std::set<std::string> names;
    JsonParser* parser = json_parser_new();
    if (json_parser_load_from_data(parser, json.c_str(), -1, nullptr)) {
        JsonNode* root = json_parser_get_root(parser);
        JsonArray* array = JSON_NODE_HOLDS_ARRAY(root) ? json_node_get_array(root) : nullptr;
        for (guint i = 0; array && i < json_array_get_length(array); ++i) {
            JsonObject* contact = json_array_get_object_element(array, i);
            if (contact && json_object_has_member(contact, "name"))
                names.insert(json_object_get_string_member(contact, "name"));
        }
    }
    g_object_unref(parser);
    return names;
}

// The clock's time today, in seconds since 1970.
time_t todayAt(Clock clock) {
    time_t now = time(nullptr);
    struct tm today {};
    localtime_r(&now, &today);
    today.tm_hour = clock == Clock::MIDDAY ? 12 : 0;
    today.tm_min = clock == Clock::MIDDAY ? 58 : 5;
    today.tm_sec = 0;
    today.tm_isdst = -1;
    return mktime(&today);
}

} // namespace

ScreenRender::ScreenRender() = default;
ScreenRender::~ScreenRender() = default;

bool ScreenRender::prepare(std::string* error) {
    for (Clock clock : {Clock::MIDDAY, Clock::AFTER_MIDNIGHT}) {
        auto& device = _templates[static_cast<int>(clock)];
        device = std::make_unique<msg_test::TempDir>("msg-look-device");
        const std::string& dir = device->path();
        for (const std::vector<std::string>& step :
             {std::vector<std::string>{"seed", "--now", std::to_string(todayAt(clock))}, {"seed-contacts"}}) {
            msg_test::ProgramRun run = msg_test::runSim(step, dir);
            if (run.exitCode != 0) {
                *error = "msg-sim " + step[0] + " failed: " + run.err;
                return false;
            }
        }
    }
    _names = contactNames(msg_test::runSim({"--json", "contact", "list"}, _templates[0]->path()).out);
    msg_app::shell::registerBuiltinScreens();
    return true;
}

bool ScreenRender::render(const std::string& screen, const std::string& locale, Clock clock,
                          const std::function<void(Evas_Object* win)>& read, std::string* error) {
    msg_test::TempDir device("msg-look-screen");
    std::error_code copyError;
    for (const char* suffix : {"", "-wal", "-shm"}) {
        std::filesystem::path from =
            _templates[static_cast<int>(clock)]->file(std::string(DATABASE) + suffix);
        if (std::filesystem::exists(from))
            std::filesystem::copy_file(from, device.file(std::string(DATABASE) + suffix), copyError);
    }
    if (copyError) {
        *error = "cannot copy the device: " + copyError.message();
        return false;
    }
    msg_device::Device::closeDefault();
    setenv("MSG_DEVICE_DIR", device.path().c_str(), 1);
    bool rendered = false;
    if (_beforeStart)
        _beforeStart();
    if (vconf_set_str(LANGUAGE_KEY, locale.c_str()) != VCONF_OK) {
        *error = "cannot set the language " + locale;
    } else {
        msg_app::shell::Application::Options options;
        options.name = "msg-shot";
        options.screen = screen;
        msg_app::shell::Application app(options);
        if (app.start()) {
            Evas_Object* win = app.getWindowController()->getEvasObject();
            FrameWatch watch(win);
            // A screen that never rests (a spinner turns for as long as it shows) is read at the
            // limit.
            msg_test::runLoopUntil([&] { return watch.settled(); }, LIMIT_SECONDS);
            if (watch.frames > 0) {
                read(win);
                rendered = true;
            } else {
                *error = "the screen drew nothing";
            }
        } else {
            *error = "the screen did not start";
        }
        app.stop();
    }
    msg_device::Device::closeDefault();
    unsetenv("MSG_DEVICE_DIR");
    return rendered;
}

} // namespace msg_look
