#ifndef MSG_TESTS_SUPPORT_MAINLOOP_H
#define MSG_TESTS_SUPPORT_MAINLOOP_H

#include <Ecore.h>
#include <Evas.h>

#include <functional>
#include <vector>

// Driving the Ecore main loop from tests; the caller has initialised Ecore.
namespace msg_test {

// How long a wait gives the condition by default: what holds at once returns at once, and a
// sanitized build on a loaded machine takes several times as long to lay out a screen.
constexpr double WAIT_SECONDS = 20.0;

// Runs the Ecore main loop until the condition holds or the time limit passes;
// returns whether the condition held. Idle loops sleep briefly instead of spinning.
bool pumpUntil(const std::function<bool()>& condition, double timeoutSeconds = WAIT_SECONDS);

// Runs the main loop for a while, letting timers, idlers and jobs fire.
void pumpFor(double seconds);

// Like pumpUntil, but runs the real main loop (ecore_main_loop_begin), so that idlers run too:
// single iterations never call them. Returns true only if the condition holds as it returns: the
// loop stops after the rest of the turn in which the condition was seen, so it is asked again then,
// and the loop runs on if that rest undid it. The condition may be asked any number of times: it
// must be a plain question (count or record in callbacks, not in it).
bool runLoopUntil(const std::function<bool()>& condition, double timeoutSeconds = WAIT_SECONDS);
// Runs the real main loop for a while, letting timers, idlers and jobs fire.
void runLoopFor(double seconds);

// Runs the real main loop until it has nothing left to do (events, jobs, Edje signals and a
// render done), or the time limit passes; returns whether it went idle. Timers due later, such as
// an animation's, are not waited for: wait on what they change instead.
bool runLoopUntilIdle(double timeoutSeconds = WAIT_SECONDS);

// Runs the real main loop until the object is visible and drawn at full strength: it and every
// clipper above it opaque, so that a fade-in has ended and the object takes input. Returns whether it is.
bool runLoopUntilShown(Evas_Object* obj, double timeoutSeconds = WAIT_SECONDS);

// Runs the real main loop until the Edje object's part is in the state: Edje names the new state
// only once its transition has ended, so a slide or fade has come to rest. Returns whether it is.
bool runLoopUntilPartState(Evas_Object* edje, const char* part, const char* state,
                           double timeoutSeconds = WAIT_SECONDS);

// The canvas's top-level objects of a widget class ("Elm.Popup", "Elm.Ctxpopup"), bottom first:
// free-standing popups belong to no smart object.
std::vector<Evas_Object*> objectsOfClass(Evas* canvas, const char* className);

} // namespace msg_test

#endif
