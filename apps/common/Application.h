#ifndef MSG_APP_SHELL_APPLICATION_H
#define MSG_APP_SHELL_APPLICATION_H

#include <Elementary.h>

#include "AppScreenOpener.h"
#include "ScreenInspector.h"

#include "app_control.h"
#include "vconf.h"
#include "view_kit/WFrameWait.h"
#include "view_kit/WJob.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace view_kit {
class WWindowController;
}

namespace msg_app {
namespace shell {

// Start-up and teardown of an executable's user interface, in one place:
// start() runs the steps in order and stop() undoes them in reverse.
class Application {
public:
    struct Options {
        std::string name = "msg-app";
        std::string screen; // empty: the first registered screen
        int width = 360;
        int height = 360;
        // Read the conversations on a worker while the window is built: only for a first screen
        // that takes the list over, else the loader would record changes until exit.
        bool preloadConversations = false;
        // The one instance of its application on the device: a launch request sent to it while it
        // runs brings this window forward instead of starting another process.
        bool singleInstance = false;
    };

    explicit Application(Options options);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    bool start();
    void stop();
    view_kit::WWindowController* getWindowController() const { return _window.get(); }
    // Runs once after the window's first frame is rendered.
    void setOnFirstFrame(std::function<void()> onFirstFrame);
    // The window went behind the others (elm_win_lower): the application is in
    // the background, so it gets the pause event, once, from the main loop.
    void onWindowLowered();

private:
    void _startServices();
    bool _loadTheme();
    void _configureToolkit();
    bool _createWindow();
    void _markShown();
    bool _showFirstScreen();
    // A toast when the device's storage cannot take changes (read-only, or its disk full).
    void _tellStorageState();
    void _watchWindow();
    void _watchLocale(bool watch);
    void _listenForInspection();
    static void _languageChangedCb(keynode_t* node, void* data);
    static void _regionFormatChangedCb(keynode_t* node, void* data);
    static void _screenReaderChangedCb(keynode_t* node, void* data);
    static void _focusInCb(void* data, Evas_Object* obj, void* info);
    static void _focusOutCb(void* data, Evas_Object* obj, void* info);
    static void _iconifiedCb(void* data, Evas_Object* obj, void* info);
    static Eina_Bool _lowerTrapCb(void* data, Evas_Object* win);
    static Eina_Bool _inputCb(void* data, int type, void* event);
    static void _relaunchCb(app_control_h request, void* data);

    Options _options;
    AppScreenOpener _screenOpener;
    std::unique_ptr<view_kit::WWindowController> _window;
    std::unique_ptr<ScreenInspector> _inspector;
    std::function<void()> _onFirstFrame;
    view_kit::WFrameWait _firstFrame;
    view_kit::WJob _pauseJob;
    std::vector<Ecore_Event_Handler*> _inputHandlers;
    bool _started = false;
};

} // namespace shell
} // namespace msg_app

#endif
