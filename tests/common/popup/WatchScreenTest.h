// A fresh device, the watch's window with the application's theme and text domain, and a page on
// its naviframe to attach popups to, for tests of the shared popups and views.
#ifndef MSG_TESTS_COMMON_POPUP_WATCHSCREENTEST_H
#define MSG_TESTS_COMMON_POPUP_WATCHSCREENTEST_H

#include "CommonDeviceTest.h"
#include "view_kit/WContentViewController.h"
#include "view_kit/WWindowController.h"

#include <Elementary.h>

#include <functional>
#include <memory>
#include <string>

// A page whose content tests replace.
class HostPage : public view_kit::WContentViewController {
protected:
    Evas_Object* onCreateView(Evas_Object* parent, void*) override;
};

class WatchScreenTest : public CommonDeviceTest {
protected:
    void SetUp() override;
    void TearDown() override;

    Evas* evas() const;
    // Real input on the window's canvas.
    void click(int x, int y);
    void clickCenter(Evas_Object* obj);
    void pressKey(const char* keyName);
    // Lets Edje deliver signals and the canvas lay itself out: runs the loop until it is idle.
    static void settle();
    // The texts of a layout part and an image widget's group.
    static std::string partText(Evas_Object* obj, const char* part);
    static std::string imageGroup(Evas_Object* image);
    static std::string layoutGroup(Evas_Object* layout);
    // The toast on the window, if one is up.
    Evas_Object* findToast() const;
    // Whether the page gets input at all: none of it is held back.
    static bool takesEvents(view_kit::WContentViewController* page);
    // Runs the loop until the page is the naviframe's top and takes input: the naviframe holds
    // input back from a page while it slides in, however long that takes.
    bool waitPageReady(view_kit::WContentViewController* page);
    // Presses the back key over the settled screen and runs the loop until the popup is gone.
    bool backCloses(view_kit::WViewController* popup, double seconds = 5.0);
    // Does the action, then runs the loop until the naviframe has ended a page transition.
    bool doAndWaitForTransition(const std::function<void()>& action);

    std::unique_ptr<view_kit::WWindowController> window;
    HostPage* page = nullptr;
};

#endif
