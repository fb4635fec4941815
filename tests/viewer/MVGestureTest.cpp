// Gestures on objects the test can rebuild or delete under the finger, or while they move.
#include "ViewerScreenFixture.h"

#include "viewer/MVMouseEventMgr.h"
#include "viewer/MVRotaryToAction.h"

#include <Elementary.h>

#include <functional>
#include <optional>
#include <tuple>

using namespace msg_app::msg_viewer;

namespace {

class GestureTest : public ViewerActionFixture {
protected:
    void SetUp() override {
        ViewerActionFixture::SetUp();
        newTarget();
    }
    // A watched object over everything; the one before, if any, is the caller's.
    void newTarget() {
        target = evas_object_rectangle_add(evas());
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
        // The bezel's animation lives on in the process: its listener, gone with the test, is let go
        // before it stops.
        set_launching_animation_state_changed_cb(nullptr, nullptr);
        rotary_to_action_animation_delete();
        ViewerActionFixture::TearDown();
    }
    void up() { msg_test::release(evas()); }

    Evas_Object* target = nullptr;
    std::unique_ptr<MVMouseEventMgr> mgr;
    std::vector<MVMouseEventMgr::Event> events;
};

using E = MVMouseEventMgr::Event;

TEST_F(GestureTest, TapHoldAndDragGiveTheirEventsAlsoWhenTheObjectIsBuiltAgainUnderTheFinger) {
    auto hold = [&] {
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return events.size() == 2; }));
        up();
    };
    auto drag = [&] {
        // A finger moving 31 pixels scrolls; held past the long-press time, it gives none.
        evas_event_feed_mouse_move(evas(), 150, 181, 0, nullptr);
        double deadline = ecore_time_get() + MVMouseEventMgr::LONG_PRESS_DELAY + 0.1;
        msg_test::runLoopUntil([&] { return ecore_time_get() > deadline; }, 5.0);
        up();
    };
    // What the finger does after it came down, and the events it gives.
    const std::tuple<const char*, std::function<void()>, std::vector<E>> cases[] = {
        {"tap", [&] { up(); }, {E::PRESSED, E::CLICKED, E::RELEASED}},
        {"hold", hold, {E::PRESSED, E::LONGPRESSED, E::RELEASED}},
        {"drag", drag, {E::MOVED, E::RELEASED}},
    };
    // The object the finger touched stays; or a new one replaces it, the old one freed before
    // (a row unrealized, then realized) or after (new contents, then the old ones freed). The new
    // object gets none of this finger's events: it was not under it at the touch.
    enum Object { KEPT, FREED_FIRST, FREED_LAST };
    for (Object object : {KEPT, FREED_FIRST, FREED_LAST}) {
        for (const auto& [name, finger, expected] : cases) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(object));
            events.clear();
            msg_test::press(evas(), 150, 150);
            if (object != KEPT) {
                Evas_Object* old = target;
                std::unique_ptr<MVMouseEventMgr> oldMgr = std::move(mgr);
                if (object == FREED_FIRST)
                    evas_object_del(old);
                std::optional<MVMouseEventMgr::HeldPress> held = oldMgr->heldPress();
                ASSERT_TRUE(held.has_value());
                newTarget();
                ASSERT_TRUE(mgr->followPress(*held));
                oldMgr.reset();
                if (object == FREED_LAST)
                    evas_object_del(old);
            }
            finger();
            ASSERT_TRUE(
                msg_test::runLoopUntil([&] { return !events.empty() && events.back() == E::RELEASED; }));
            EXPECT_EQ(events, expected);
        }
    }
    // With the finger up there is nothing to follow.
    events.clear();
    EXPECT_FALSE(mgr->followPress({150, 150, ecore_loop_time_get()}));
    EXPECT_FALSE(mgr->heldPress().has_value());
    ASSERT_TRUE(msg_test::runLoopUntilIdle());
    EXPECT_TRUE(events.empty());
}

} // namespace

// The animation on plain objects standing for the list, the reply button, its caption and rows,
// which the test can delete while they move.
TEST_F(GestureTest, ARowRemovedWhileTheBezelMovesItIsLeftAloneAndTheLaunchGoesOn) {
    auto rect = [this](int x, int y, int w, int h) {
        Evas_Object* obj = evas_object_rectangle_add(evas());
        evas_object_geometry_set(obj, x, y, w, h);
        evas_object_show(obj);
        return obj;
    };
    Evas_Object* list = elm_genlist_add(appWindow->getEvasObject());
    Evas_Object *icon = rect(130, 250, 100, 100), *text = rect(130, 330, 100, 30);
    std::vector<Evas_Object*> rows = {rect(20, 40, 320, 80), rect(20, 140, 320, 80)};
    std::vector<int> states;
    set_launching_animation_state_changed_cb(
        [](rotate_to_action_launching_animation_state_e state, void* data) {
            static_cast<std::vector<int>*>(data)->push_back(state);
        },
        &states);
    for (int i = 0; i < 3; ++i) {
        rotary_to_action_animation_clockwise(list, rows, icon, text);
        increase_detent_count();
    }
    evas_object_del(rows[1]);
    rows.pop_back();
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return states.size() == 2; }, 5.0));
    EXPECT_NEAR(msg_test::drawnShift(rows[0]).first, 333, 1);
}
