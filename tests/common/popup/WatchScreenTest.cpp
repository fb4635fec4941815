#include "WatchScreenTest.h"

#include "common/CommonUiHelper.h"
#include "common/ui/MCommonTheme.h"
#include "view_kit/WNaviframeController.h"

Evas_Object* HostPage::onCreateView(Evas_Object* parent, void*) {
    Evas_Object* bg = elm_bg_add(parent);
    elm_bg_color_set(bg, 0, 0, 0);
    return bg;
}

void WatchScreenTest::SetUp() {
    CommonDeviceTest::SetUp();
    ASSERT_TRUE(msg_app::common_ui_helper::set_textdomain());
    window = std::make_unique<view_kit::WWindowController>();
    ASSERT_TRUE(window->create("popup-test", 360, 360));
    ASSERT_TRUE(msg_app::MCommonTheme::getInstance()->init());
    page = new HostPage();
    ASSERT_TRUE(window->getNaviframeController()->push(page));
    settle();
}

void WatchScreenTest::TearDown() {
    window->destroy();
    window.reset();
    msg_app::MCommonTheme::getInstance()->deinit();
    CommonDeviceTest::TearDown();
}

Evas* WatchScreenTest::evas() const {
    return evas_object_evas_get(window->getEvasObject());
}

void WatchScreenTest::click(int x, int y) {
    evas_event_feed_mouse_move(evas(), x, y, 0, nullptr);
    evas_event_feed_mouse_down(evas(), 1, EVAS_BUTTON_NONE, 0, nullptr);
    evas_event_feed_mouse_up(evas(), 1, EVAS_BUTTON_NONE, 0, nullptr);
}

void WatchScreenTest::clickCenter(Evas_Object* obj) {
    int x = 0, y = 0, w = 0, h = 0;
    evas_object_geometry_get(obj, &x, &y, &w, &h);
    click(x + w / 2, y + h / 2);
}

void WatchScreenTest::pressKey(const char* keyName) {
    evas_event_feed_key_down(evas(), keyName, keyName, nullptr, nullptr, 0, nullptr);
    evas_event_feed_key_up(evas(), keyName, keyName, nullptr, nullptr, 0, nullptr);
}

void WatchScreenTest::settle() {
    msg_test::runLoopUntilIdle();
}

std::string WatchScreenTest::partText(Evas_Object* obj, const char* part) {
    const char* text = elm_object_part_text_get(obj, part);
    return text ? text : "";
}

std::string WatchScreenTest::imageGroup(Evas_Object* image) {
    const char* group = nullptr;
    elm_image_file_get(image, nullptr, &group);
    return group ? group : "";
}

std::string WatchScreenTest::layoutGroup(Evas_Object* layout) {
    const char* group = nullptr;
    elm_layout_file_get(layout, nullptr, &group);
    return group ? group : "";
}

Evas_Object* WatchScreenTest::findToast() const {
    // Free-standing popups are not members of any smart object.
    for (Evas_Object* o = evas_object_top_get(evas()); o; o = evas_object_below_get(o)) {
        const char* style = elm_object_style_get(o);
        if (elm_object_widget_check(o) && style && std::string(style).rfind("toast/", 0) == 0)
            return o;
    }
    return nullptr;
}

bool WatchScreenTest::takesEvents(view_kit::WContentViewController* page) {
    for (Evas_Object* o = page->getEvasObject(); o; o = evas_object_smart_parent_get(o)) {
        if (evas_object_freeze_events_get(o))
            return false;
    }
    return true;
}

bool WatchScreenTest::waitPageReady(view_kit::WContentViewController* page) {
    auto* naviframe = window->getNaviframeController();
    bool ready = msg_test::runLoopUntil(
        [&] { return naviframe->getTopContentViewController() == page && takesEvents(page); });
    // Then its rows are laid out where taps will look for them.
    settle();
    return ready;
}

bool WatchScreenTest::backCloses(view_kit::WViewController* popup, double seconds) {
    std::weak_ptr<view_kit::WViewController> weak = popup->getWeakPtr();
    settle();
    pressKey("Escape");
    return msg_test::runLoopUntil([&] { return weak.expired(); }, seconds);
}

bool WatchScreenTest::doAndWaitForTransition(const std::function<void()>& action) {
    int finished = 0;
    Evas_Object* naviframe = window->getNaviframeController()->getEvasObject();
    auto count = [](void* data, Evas_Object*, void*) { ++*static_cast<int*>(data); };
    evas_object_smart_callback_add(naviframe, "transition,finished", count, &finished);
    action();
    bool ended = msg_test::runLoopUntil([&] { return finished > 0; });
    evas_object_smart_callback_del_full(naviframe, "transition,finished", count, &finished);
    return ended;
}
