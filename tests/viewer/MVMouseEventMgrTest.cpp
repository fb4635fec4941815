#include "ViewerActionFixture.h"

#include "MainLoop.h"
#include "viewer/MVMouseEventMgr.h"

#include <functional>
#include <optional>

using namespace msg_app::msg_viewer;

namespace {

class GestureTest : public ViewerActionFixture {
protected:
    void SetUp() override {
        ViewerActionFixture::SetUp();
        target = evas_object_rectangle_add(evas_object_evas_get(appWindow->getEvasObject()));
        evas_object_geometry_set(target, 100, 100, 100, 100);
        evas_object_layer_set(target, EVAS_LAYER_MAX - 1);
        evas_object_show(target);
        mgr = std::make_unique<MVMouseEventMgr>(target);
        ASSERT_TRUE(mgr->init());
        mgr->addEventListener([this](MVMouseEventMgr::Event event) { events.push_back(event); }, target);
    }
    void TearDown() override {
        mgr.reset();
        if (target)
            evas_object_del(target);
        ViewerActionFixture::TearDown();
    }
    Evas* evas() const { return evas_object_evas_get(appWindow->getEvasObject()); }
    void down(int x, int y) {
        evas_event_feed_mouse_move(evas(), x, y, 0, nullptr);
        evas_event_feed_mouse_down(evas(), 1, EVAS_BUTTON_NONE, 0, nullptr);
    }
    void up() { evas_event_feed_mouse_up(evas(), 1, EVAS_BUTTON_NONE, 0, nullptr); }

    Evas_Object* target = nullptr;
    std::unique_ptr<MVMouseEventMgr> mgr;
    std::vector<MVMouseEventMgr::Event> events;
};

using E = MVMouseEventMgr::Event;

} // namespace

TEST_F(GestureTest, TapHoldAndDragGiveTheirEvents) {
    // A quick tap: pressed before the click, released after.
    down(150, 150);
    up();
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return events.size() == 3; }));
    EXPECT_EQ(events, (std::vector<E>{E::PRESSED, E::CLICKED, E::RELEASED}));

    // A hold: pressed, then the long press; lifting it is no click.
    events.clear();
    down(150, 150);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return events.size() == 2; }));
    up();
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return events.size() == 3; }));
    EXPECT_EQ(events, (std::vector<E>{E::PRESSED, E::LONGPRESSED, E::RELEASED}));

    // A finger moving 31 pixels scrolls: never a click nor a long press.
    events.clear();
    down(150, 150);
    evas_event_feed_mouse_move(evas(), 150, 181, 0, nullptr);
    // Held past the long-press time: the deadline passes without one.
    double deadline = ecore_time_get() + MVMouseEventMgr::LONG_PRESS_DELAY + 0.1;
    msg_test::runLoopUntil([&] { return ecore_time_get() > deadline; }, 5.0);
    up();
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return events.back() == E::RELEASED; }));
    EXPECT_EQ(events, (std::vector<E>{E::MOVED, E::RELEASED}));
}

TEST_F(GestureTest, APressGoesOnOnTheObjectBuiltAgainUnderTheFinger) {
    // What the finger does once its object is replaced, and whether the old object went before
    // the new one came (a row deleted, then realized) or after (new contents, then the old freed).
    struct Case {
        const char* name;
        bool oldGoesFirst;
        std::function<void()> finger;
        std::vector<E> expected;
    };
    auto heldToLongPress = [&] {
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return events.size() == 2; }));
        up();
    };
    auto dragged = [&] {
        evas_event_feed_mouse_move(evas(), 150, 181, 0, nullptr);
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return !events.empty(); }));
        // Held past the long-press time: the deadline passes without one.
        double deadline = ecore_time_get() + MVMouseEventMgr::LONG_PRESS_DELAY + 0.1;
        msg_test::runLoopUntil([&] { return ecore_time_get() > deadline; }, 5.0);
        up();
    };
    const Case cases[] = {
        {"held", true, heldToLongPress, {E::PRESSED, E::LONGPRESSED, E::RELEASED}},
        {"held, old object freed last", false, heldToLongPress, {E::PRESSED, E::LONGPRESSED, E::RELEASED}},
        {"lifted", true, [&] { up(); }, {E::PRESSED, E::CLICKED, E::RELEASED}},
        {"dragged", false, dragged, {E::MOVED, E::RELEASED}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        down(150, 150);
        Evas_Object* old = target;
        std::unique_ptr<MVMouseEventMgr> oldMgr = std::move(mgr);
        if (c.oldGoesFirst)
            evas_object_del(old);
        std::optional<MVMouseEventMgr::HeldPress> held = oldMgr->heldPress();
        ASSERT_TRUE(held.has_value());
        // The new object gets none of this finger's events: it was not under it at the touch.
        target = evas_object_rectangle_add(evas());
        evas_object_geometry_set(target, 100, 100, 100, 100);
        evas_object_show(target);
        mgr = std::make_unique<MVMouseEventMgr>(target);
        ASSERT_TRUE(mgr->init());
        events.clear();
        mgr->addEventListener([this](MVMouseEventMgr::Event event) { events.push_back(event); }, target);
        ASSERT_TRUE(mgr->followPress(*held));
        oldMgr.reset();
        if (!c.oldGoesFirst)
            evas_object_del(old);
        c.finger();
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return !events.empty() && events.back() == E::RELEASED; }));
        EXPECT_EQ(events, c.expected);
    }
    // With the finger up there is nothing to follow.
    events.clear();
    EXPECT_FALSE(mgr->followPress({150, 150, ecore_loop_time_get()}));
    EXPECT_FALSE(mgr->heldPress().has_value());
    msg_test::runLoopUntilIdle();
    EXPECT_TRUE(events.empty());
}
