#include "ViewerActionFixture.h"

#include "MainLoop.h"
#include "viewer/MVRotaryToAction.h"

#include <Elementary.h>

using namespace msg_app::msg_viewer;

namespace {

// The animation on plain objects standing for the list, the reply button, its caption and rows,
// which the test can delete while they move.
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
    // How far obj is drawn from its own centre; 0 when drawn in place.
    static int lift(Evas_Object* obj) {
        int y = 0, h = 0;
        evas_object_geometry_get(obj, nullptr, &y, nullptr, &h);
        const Evas_Map* map = evas_object_map_get(obj);
        if (!map || !evas_object_map_enable_get(obj))
            return 0;
        Evas_Coord top = 0, bottom = 0;
        evas_map_point_coord_get(map, 0, nullptr, &top, nullptr);
        evas_map_point_coord_get(map, 2, nullptr, &bottom, nullptr);
        return (top + bottom) / 2 - (y + h / 2);
    }

    Evas_Object* list = nullptr;
    Evas_Object* icon = nullptr;
    Evas_Object* text = nullptr;
    std::vector<Evas_Object*> rows;
    std::vector<int> states;
};

} // namespace

TEST_F(RotaryToActionTest, ARowRemovedWhileMovingIsLeftAloneAndTheLaunchGoesOn) {
    detent();
    detent();
    detent();
    evas_object_del(rows[1]);
    rows.pop_back();
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return states.size() == 2; }, 5.0));
    EXPECT_NEAR(lift(rows[0]), -333, 1);
}
