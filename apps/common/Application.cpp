#include "Application.h"

#include "feedback.h"

#include <Ecore_X.h>

#include "ScreenRegistry.h"
#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/FormattedNumber.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MCommonRestoreCompleteListener.h"
#include "common/MsgLog.h"
#include "common/Preference.h"
#include "common/addr/MCommonAddrMgr.h"
#include "common/popup/MCommonPopup.h"
#include "common/ui/MCommonFont.h"
#include "common/ui/MCommonTheme.h"
#include "device/Device.h"
#include "list/MLThreadListBgLoad.h"
#include "vconf.h"
#include "view_kit/WNaviframeController.h"
#include "view_kit/WWindowController.h"

namespace msg_app {
namespace shell {

namespace {

constexpr const char* LANGUAGE_KEY = "db/menu_widget/language";
constexpr const char* REGION_FORMAT_KEY = "db/menu_widget/regionformat";
constexpr const char* SCREEN_READER_KEY = "db/setting/accessibility/tts";
constexpr const char* READ_ONLY_TEXT_ID = "WDS_MSG_TPOP_STORAGE_IS_READ_ONLY_CHANGES_CANT_BE_SAVED";
constexpr const char* STORAGE_FULL_TEXT_ID = "WDS_PN_TPOP_MEMORY_FULL_ABB";

// Window-manager requests of the application's window pass through the shell,
// which stands in for the platform that would tell the application about them.
Application* runningApplication = nullptr;

} // namespace

Application::Application(Options options) : _options(std::move(options)) {}

Application::~Application() {
    stop();
}

void Application::setOnFirstFrame(std::function<void()> onFirstFrame) {
    _onFirstFrame = std::move(onFirstFrame);
}

bool Application::start() {
    MSG_RETV_IF(_started, false, "started already");
    _started = true;
    // 1. Message store, reconnected whenever the store client comes back. First:
    //    the preload reads through it, and after a stop() it is disconnected. The
    //    first-run preferences are written before: the store watches one of them.
    preference::init();
    common_util::connect_msg_store();
    // 2. Conversation list preload, before the window, so that the worker reads
    //    while the window is built.
    if (_options.preloadConversations)
        msg_list::MLThreadListBgLoad::getInstance()->start();
    // 3. The services that watch the device: the phone-number formatter, the backup
    //    service's restore counters and the system font.
    _startServices();
    //    A number first seen on the first screen is drawn as it stands rather than wait for
    //    the formatting to load; it is formatted once that has loaded after the first frame.
    formatted_number::defer_loading();
    // 4. Texts, theme, colours, fonts and haptics.
    if (!_loadTheme())
        MSG_LOGW("running without the application theme");
    //    Haptics, which screens play on taps and long presses; the teardown ends them.
    if (int ret = feedback_initialize(); ret != FEEDBACK_ERROR_NONE)
        MSG_LOGW("feedback_initialize error : %d", ret);
    // 5. The window, its naviframe and round surface, touched as a watch is.
    _configureToolkit();
    if (!_createWindow())
        return false;
    // 6. Application events: window focus and iconify become resume and pause; the
    //    language and region settings become their change events.
    _watchWindow();
    _watchLocale(true);
    //    Later launch requests of a single instance come here instead of to a new process.
    if (_options.singleInstance &&
        app_control_set_relaunch_handler(_relaunchCb, this) != APP_CONTROL_ERROR_NONE)
        MSG_LOGW("a launch request will start another instance");
    // 7. The first screen, and what it opens on the others.
    screen_opener::install(&_screenOpener);
    if (!_showFirstScreen())
        return false;
    // 8. Under test, the port that tells what the screen shows.
    _listenForInspection();
    return true;
}

void Application::stop() {
    if (!_started)
        return;
    _started = false;
    MCommonAppEventMgr::getInstance()->emit(APP_EVENT_TERMINATING);
    // 8. The inspection port reads the window: it goes first.
    _inspector.reset();
    // 7.-5. The screens and the window go together.
    if (Evas_Object* win = _window ? _window->getEvasObject() : nullptr) {
        evas_object_smart_callback_del_full(win, "focus,in", _focusInCb, this);
        evas_object_smart_callback_del_full(win, "focus,out", _focusOutCb, this);
        evas_object_smart_callback_del_full(win, "iconified", _iconifiedCb, this);
        _firstFrame.stop();
    }
    for (Ecore_Event_Handler* handler : _inputHandlers)
        ecore_event_handler_del(handler);
    _inputHandlers.clear();
    if (_options.singleInstance)
        app_control_set_relaunch_handler(nullptr, nullptr);
    _watchLocale(false);
    _window.reset();
    screen_opener::install(nullptr);
    elm_win_trap_set(nullptr);
    runningApplication = nullptr;
    _pauseJob.stop();
    // 3. The watching services; the phone-number formatter ends with the others below.
    MCommonFont::destroy();
    MCommonRestoreCompleteListener::destroy();
    // 2. The preload, if the list never took it over; destroying it joins the worker.
    msg_list::MLThreadListBgLoad::destroy();
    // 4., 1. The other services, the theme and the store connection, in their fixed order.
    common_util::on_terminate();
}

void Application::_startServices() {
    formatted_number::init();
    if (!MCommonRestoreCompleteListener::getInstance()->init())
        MSG_LOGW("restored backups will not be announced");
    MCommonFont::getInstance()->init();
}

bool Application::_loadTheme() {
    common_ui_helper::set_textdomain();
    // The window does not exist yet; it takes the theme when it is created.
    return MCommonTheme::getInstance()->init();
}

void Application::_markShown() {
    // A watch has no window manager, and only one takes a window out of the
    // "withdrawn" state; Elementary draws nothing into a withdrawn window.
    Ecore_X_Window xwin = elm_win_xwindow_get(_window->getEvasObject());
    if (!xwin)
        return;
    Ecore_X_Window manager = 0;
    Ecore_X_Window root = ecore_x_window_root_get(xwin);
    if (ecore_x_window_prop_window_get(root, ECORE_X_ATOM_NET_SUPPORTING_WM_CHECK, &manager, 1) > 0 &&
        manager)
        return;
    ecore_x_icccm_state_set(xwin, ECORE_X_WINDOW_STATE_HINT_NORMAL);
}

void Application::_configureToolkit() {
    common_ui_helper::configure_toolkit();
    _screenReaderChangedCb(nullptr, nullptr);
}

bool Application::_createWindow() {
    // Only windows created after this see the trap; it holds no state of its own.
    static Elm_Win_Trap trap = [] {
        Elm_Win_Trap t{};
        t.version = ELM_WIN_TRAP_VERSION;
        t.lower = _lowerTrapCb;
        return t;
    }();
    runningApplication = this;
    if (!elm_win_trap_set(&trap))
        MSG_LOGW("window requests are not watched; lowering will not pause");
    _window = std::make_unique<view_kit::WWindowController>();
    MSG_RETV_IF(!_window->create(_options.name.c_str(), _options.width, _options.height), false,
                "window creation failed");
    // Closing the window, or back on the last screen, ends the application.
    _window->setOnDeleteRequest([] { elm_exit(); });
    _window->getNaviframeController()->setOnLastPageBack([] { elm_exit(); });
    _firstFrame.start(evas_object_evas_get(_window->getEvasObject()), [this] {
        formatted_number::load_deferred([] { MCommonAddrMgr::getInstance()->renameAll(); });
        // The first screen is up: the list starts its deferred work on this event.
        MCommonAppEventMgr::getInstance()->emit(APP_EVENT_LAUNCH_COMPLETED);
        // Over what the device holds, once that is shown.
        _tellStorageState();
        if (_onFirstFrame)
            _onFirstFrame();
    });
    _markShown();
    return true;
}

bool Application::_showFirstScreen() {
    ScreenRegistry& registry = ScreenRegistry::getInstance();
    std::string name = _options.screen;
    if (name.empty() && !registry.names().empty())
        name = registry.names().front();
    view_kit::WContentViewController* screen = registry.create(name);
    MSG_RETV_IF(!screen, false, "no screen %s", name.c_str());
    MSG_RETV_IF(!_window->getNaviframeController()->push(screen), false, "pushing %s failed", name.c_str());
    // The launch request that started the application reaches it like every
    // later one: the screen on top takes the bezel from it.
    MCommonAppEventMgr::getInstance()->emit(APP_EVENT_RELAUNCHED);
    return true;
}

void Application::_listenForInspection() {
    if (!ScreenInspector::requested())
        return;
    _inspector = std::make_unique<ScreenInspector>(_window->getEvasObject(), [] {
        switch (MCommonAppEventMgr::getInstance()->getAppState()) {
        case APP_EVENT_RESUMED:
            return std::string("resumed");
        case APP_EVENT_PAUSED:
            return std::string("paused");
        default:
            return std::string("started");
        }
    });
}

void Application::_tellStorageState() {
    // A device that cannot save shows what it holds; the user learns at once that changes go nowhere.
    msg_device::Device* device = msg_device::Device::getDefault();
    msg_device::Device::Failure reason =
        device ? device->readOnlyReason() : msg_device::Device::Failure::NONE;
    if (reason == msg_device::Device::Failure::NONE)
        return;
    MSG_LOGW("%s: changes cannot be saved", device->describe(reason).c_str());
    const char* textId =
        reason == msg_device::Device::Failure::DISK_FULL ? STORAGE_FULL_TEXT_ID : READ_ONLY_TEXT_ID;
    MCommonPopup::showToast(_window->getEvasObject(), textId);
}

void Application::_watchWindow() {
    Evas_Object* win = _window->getEvasObject();
    evas_object_smart_callback_add(win, "focus,in", _focusInCb, this);
    evas_object_smart_callback_add(win, "focus,out", _focusOutCb, this);
    evas_object_smart_callback_add(win, "iconified", _iconifiedCb, this);
    for (int type : {ECORE_EVENT_MOUSE_BUTTON_DOWN, ECORE_EVENT_MOUSE_WHEEL, ECORE_EVENT_KEY_DOWN})
        _inputHandlers.push_back(ecore_event_handler_add(type, _inputCb, this));
}

void Application::_watchLocale(bool watch) {
    const struct {
        const char* key;
        vconf_callback_fn cb;
    } keys[] = {{LANGUAGE_KEY, _languageChangedCb},
                {REGION_FORMAT_KEY, _regionFormatChangedCb},
                {SCREEN_READER_KEY, _screenReaderChangedCb}};
    for (const auto& key : keys) {
        int ret = watch ? vconf_notify_key_changed(key.key, key.cb, this)
                        : vconf_ignore_key_changed(key.key, key.cb);
        if (ret != VCONF_OK)
            MSG_LOGE("watching %s failed : %d", key.key, ret);
    }
}

void Application::_languageChangedCb(keynode_t*, void*) {
    // Texts set as translatable follow Elementary's language; the screens redraw the rest.
    MCommonAppEventMgr::getInstance()->emit(APP_EVENT_LANGUAGE_CHANGING);
    common_ui_helper::set_language();
    MCommonAppEventMgr::getInstance()->emit(APP_EVENT_LANGUAGE_CHANGED);
}

void Application::_screenReaderChangedCb(keynode_t*, void*) {
    // A desktop's screen reader reaches the screens through the toolkit's bridge, open while
    // the device's reader is on.
    elm_config_atspi_mode_set(common_util::is_screen_reader_enabled());
}

void Application::_regionFormatChangedCb(keynode_t*, void*) {
    MCommonAppEventMgr::getInstance()->emit(APP_EVENT_REGION_FORMAT_CHANGED);
}

void Application::_focusInCb(void*, Evas_Object*, void*) {
    MCommonAppEventMgr::getInstance()->emit(APP_EVENT_RESUMED);
}

void Application::_focusOutCb(void*, Evas_Object*, void*) {
    MCommonAppEventMgr::getInstance()->emit(APP_EVENT_PAUSED);
}

void Application::_iconifiedCb(void*, Evas_Object*, void*) {
    MCommonAppEventMgr::getInstance()->emit(APP_EVENT_PAUSED);
}

void Application::onWindowLowered() {
    // Not inside the caller's back-key handling: the platform would tell us later.
    if (!_pauseJob.isPending()) {
        _pauseJob.start([] {
            MCommonAppEventMgr* events = MCommonAppEventMgr::getInstance();
            if (events->getAppState() != APP_EVENT_PAUSED)
                events->emit(APP_EVENT_PAUSED);
        });
    }
}

Eina_Bool Application::_lowerTrapCb(void*, Evas_Object*) {
    if (runningApplication)
        runningApplication->onWindowLowered();
    return EINA_TRUE;
}

void Application::_relaunchCb(app_control_h, void* data) {
    // Launched again while it runs: the same window comes forward, and the application is told so
    // before it resumes, as when the platform brings it back.
    auto* self = static_cast<Application*>(data);
    self->_pauseJob.stop();
    if (Evas_Object* win = self->_window ? self->_window->getEvasObject() : nullptr) {
        elm_win_raise(win);
        elm_win_activate(win);
    }
    MCommonAppEventMgr* events = MCommonAppEventMgr::getInstance();
    events->emit(APP_EVENT_RELAUNCHED);
    if (events->getAppState() != APP_EVENT_RESUMED)
        events->emit(APP_EVENT_RESUMED);
}

Eina_Bool Application::_inputCb(void* data, int, void*) {
    // Only the application in front is touched, turned or typed at: a paused one that is has been
    // brought back, even where no focus change says so (a window lowered on a desktop stays in
    // view, and without one the list held back every change for good). Not while the pause that
    // this very input asked for (back on the list) is still to come.
    auto* self = static_cast<Application*>(data);
    MCommonAppEventMgr* events = MCommonAppEventMgr::getInstance();
    if (!self->_pauseJob.isPending() && events->getAppState() == APP_EVENT_PAUSED)
        events->emit(APP_EVENT_RESUMED);
    return ECORE_CALLBACK_PASS_ON;
}

} // namespace shell
} // namespace msg_app
