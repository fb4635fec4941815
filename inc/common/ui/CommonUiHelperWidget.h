/*
 * The page layout, the round screen's genlists, reading order and naviframe pushes.
 * Main loop only.
 */
#ifndef MSG_APP_COMMON_UI_COMMONUIHELPERWIDGET_H
#define MSG_APP_COMMON_UI_COMMONUIHELPERWIDGET_H

#include "efl_extension.h"

#include <Elementary.h>
#include <memory>

namespace view_kit {
class WContentViewController;
class WTimer;
} // namespace view_kit

namespace msg_app {
namespace common_ui_helper {

// The toolkit's settings every program of the watch runs with, before its first window: lists
// follow the finger, and a change of focus never scrolls a list (a window given the focus back
// hands it to a row of its own choosing, the first one when the row it had is gone).
void configure_toolkit();
// The application's page layout, filling its parent: what every full-screen page holds its
// panel or list in. Null when it cannot be made.
Evas_Object* add_app_layout(Evas_Object* parent);
Evas_Object* add_circle_genlist(Evas_Object* genlist, Eext_Circle_Surface* circleSurface);
// What every full-screen list of the round screen needs: the round scroll bar, when there is
// a surface. The bottom margin is each screen's own choice.
void prepare_screen_genlist(Evas_Object* genlist, Eext_Circle_Surface* circleSurface);
// Has the genlist measure its rows again on the next turn of the main loop, once for a burst of
// calls (`timer` holds the pending turn; its owner destroys it before the genlist goes): after rows
// are removed it keeps the rows below where they were and its old length, leaving a blank stretch
// until the user scrolls.
void remeasure_genlist_later(Evas_Object* genlist, std::weak_ptr<view_kit::WTimer>& timer);
// The screen reader reads `to` right after `from`.
void set_access_previous_next(Evas_Object* from, Evas_Object* to);
Evas_Object* get_access_layout_part_ao(Evas_Object* layout, const char* part);
// Pushes vc on the first naviframe found from obj up through its parent widgets; vc is destroyed
// when none is found.
bool push_to_naviframe(Evas_Object* obj, view_kit::WContentViewController* vc);
bool push_to_naviframe_by_item(Elm_Object_Item* item, view_kit::WContentViewController* vc);

} // namespace common_ui_helper
} // namespace msg_app

#endif
