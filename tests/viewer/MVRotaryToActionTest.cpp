#include "ViewerActionFixture.h"

#include "MainLoop.h"
#include "viewer/MVRotaryToAction.h"

#include <Elementary.h>

using namespace msg_app::msg_viewer;

namespace {

// The animation on plain objects standing for the list, the reply button, its caption and rows.
class RotaryToActionTest : public ViewerActionFixture {
protected:
    void SetUp() override {
        ViewerActionFixture::SetUp();
        Evas_Object* win = appWindow->getEvasObject();
        list = elm_genlist_add(win);
        icon = rect(130, 250, 100, 100);
        text = rect(130, 330, 100, 30);
        rows = {rect(20, 40, 320, 80), rect(20, 140, 320, 80)};
        set_launching_animation_state_changed_cb(
            [](rotate_to_action_launching_animation_state_e state, void* data) {
                static_cast<std::vector<int>*>(data)->push_back(state);
            },
            &states);
    }
    void TearDown() override {
        rotary_to_action_animation_delete();
        set_launching_animation_state_changed_cb(nullptr, nullptr);
        ViewerActionFixture::TearDown();
    }
    Evas_Object* rect(int x, int y, int w, int h) {
        Evas_Object* obj = evas_object_rectangle_add(evas_object_evas_get(appWindow->getEvasObject()));
        evas_object_geometry_set(obj, x, y, w, h);
        evas_object_show(obj);
        return obj;
    }
    void detent() {
        rotary_to_action_animation_clockwise(list, rows, icon, text);
        increase_detent_count();
    }
    // The drawn centre offset and width of obj; (0, its own width) when drawn in place.
    static std::pair<int, int> drawn(Evas_Object* obj) {
        int y = 0, w = 0, h = 0;
        evas_object_geometry_get(obj, nullptr, &y, &w, &h);
        const Evas_Map* map = evas_object_map_get(obj);
        if (!map || !evas_object_map_enable_get(obj))
            return {0, w};
        Evas_Coord x0 = 0, y0 = 0, x1 = 0, y2 = 0;
        evas_map_point_coord_get(map, 0, &x0, &y0, nullptr);
        evas_map_point_coord_get(map, 1, &x1, nullptr, nullptr);
        evas_map_point_coord_get(map, 2, nullptr, &y2, nullptr);
        return {(y0 + y2) / 2 - (y + h / 2), x1 - x0};
    }
    bool waiting() const { return isTop() && !isAnimating(); }

    Evas_Object* list = nullptr;
    Evas_Object* icon = nullptr;
    Evas_Object* text = nullptr;
    std::vector<Evas_Object*> rows;
    std::vector<int> states;
};

} // namespace

TEST_F(RotaryToActionTest, StepsFollowTheDetentCount) {
    const struct {
        int detents;
        bool top;
        std::vector<int> states;
    } cases[] = {
        {2, true, {}}, // held at the top
        {3,
         false,
         {ROTATE_TO_ACTION_LAUNCHING_ANIMATION_STATE_LAUNCH,
          ROTATE_TO_ACTION_LAUNCHING_ANIMATION_STATE_FINISHED}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.detents);
        states.clear();
        for (int i = 0; i < c.detents; ++i)
            detent();
        ASSERT_TRUE(
            msg_test::runLoopUntil([&] { return !isAnimating() && (isTop() || !states.empty()); }, 5.0));
        if (c.states.size() > 1) {
            ASSERT_TRUE(msg_test::runLoopUntil([&] { return states.size() == 2; }, 5.0));
        }
        EXPECT_EQ(states, c.states);
        if (c.top) {
            EXPECT_TRUE(waiting());
            // 92 up at 1.73 times its size; the rows 123 up at their own size.
            EXPECT_NEAR(drawn(icon).first, -92, 1);
            EXPECT_NEAR(drawn(icon).second, 173, 2);
            EXPECT_NEAR(drawn(rows[0]).first, -123, 1);
            EXPECT_EQ(drawn(rows[0]).second, 320);
        }
        rotary_to_action_animation_delete();
        EXPECT_FALSE(isTop());
        EXPECT_EQ(drawn(icon), std::make_pair(0, 100));
    }
}

TEST_F(RotaryToActionTest, ARowRemovedWhileMovingIsLeftAloneAndTheLaunchGoesOn) {
    detent();
    detent();
    detent();
    evas_object_del(rows[1]);
    rows.pop_back();
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return states.size() == 2; }, 5.0));
    EXPECT_NEAR(drawn(rows[0]).first, -333, 1);
}
