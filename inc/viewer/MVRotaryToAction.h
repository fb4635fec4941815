/*
 * Rotate to reply: at the end of a conversation each clockwise detent lifts
 * the reply button, its caption and the rows above it a step; at the launch
 * point the owner is told to open the reply. One animation at a time for the
 * whole process; main loop only.
 */
#ifndef MSG_APP_VIEWER_MVROTARYTOACTION_H
#define MSG_APP_VIEWER_MVROTARYTOACTION_H

#include <Evas.h>

#include <vector>

namespace msg_app {
namespace msg_viewer {

typedef enum {
    ROTATE_TO_ACTION_LAUNCHING_ANIMATION_STATE_LAUNCH = 0, // the reply is to be launched now
    ROTATE_TO_ACTION_LAUNCHING_ANIMATION_STATE_FINISHED = 1,
} rotate_to_action_launching_animation_state_e;

typedef void (*rotate_to_action_launching_animation_state_changed_cb)(
    rotate_to_action_launching_animation_state_e state, void* userData);

// One step, driven by the bezel: a pause after it falls back unless more detents follow.
void rotary_to_action_animation_clockwise(Evas_Object* genlist, const std::vector<Evas_Object*>& itemList,
                                          Evas_Object* replyIcon, Evas_Object* replyText);
// Straight through to the launch, as a drag past the end of the list asks.
void rotary_to_action_animation_clockwise_by_button(Evas_Object* genlist,
                                                    const std::vector<Evas_Object*>& itemList,
                                                    Evas_Object* replyIcon, Evas_Object* replyText);
void rotary_to_action_animation_counter_clockwise(Evas_Object* genlist,
                                                  const std::vector<Evas_Object*>& itemList,
                                                  Evas_Object* replyIcon, Evas_Object* replyText);
// Everything back to rest at once.
void rotary_to_action_animation_delete();
void increase_detent_count();
void decrease_detent_count();
void set_move_distance(int distance);
bool isTop();
bool isAnimating();
void set_launching_animation_state_changed_cb(rotate_to_action_launching_animation_state_changed_cb callback,
                                              void* userData);

} // namespace msg_viewer
} // namespace msg_app

#endif
