#include "MainLoop.h"

#include <Edje.h>
#include <Eo.h>

#include <cstring>

#include <unistd.h>

namespace msg_test {

bool pumpUntil(const std::function<bool()>& condition, double timeoutSeconds) {
    double deadline = ecore_time_get() + timeoutSeconds;
    while (!condition()) {
        if (ecore_time_get() > deadline)
            return false;
        ecore_main_loop_iterate_may_block(EINA_FALSE);
        usleep(1000);
    }
    return true;
}

void pumpFor(double seconds) {
    double deadline = ecore_time_get() + seconds;
    while (ecore_time_get() < deadline) {
        ecore_main_loop_iterate_may_block(EINA_FALSE);
        usleep(1000);
    }
}

namespace {

// Stops the main loop once the condition holds or the deadline has passed.
struct LoopWatch {
    const std::function<bool()>* condition;
    double deadline;
    Ecore_Timer* timer;
};

Eina_Bool loopWatchCb(void* data) {
    auto* watch = static_cast<LoopWatch*>(data);
    if ((*watch->condition)() || ecore_time_get() > watch->deadline) {
        watch->timer = nullptr;
        ecore_main_loop_quit();
        return ECORE_CALLBACK_CANCEL;
    }
    return ECORE_CALLBACK_RENEW;
}

} // namespace

bool runLoopUntil(const std::function<bool()>& condition, double timeoutSeconds) {
    double deadline = ecore_time_get() + timeoutSeconds;
    // The loop stops only after the rest of the turn in which the watch saw the condition, and that
    // rest (idle enterers: a render, a row built again) may undo it: the condition is asked again
    // once the loop has stopped, and the loop runs on while it no longer holds.
    while (!condition()) {
        if (ecore_time_get() > deadline)
            return false;
        LoopWatch watch{&condition, deadline, nullptr};
        watch.timer = ecore_timer_add(0.001, loopWatchCb, &watch);
        ecore_main_loop_begin();
        // Something else stopped the loop (a process ending): the watch must not outlive this frame.
        if (watch.timer)
            ecore_timer_del(watch.timer);
    }
    return true;
}

void runLoopFor(double seconds) {
    runLoopUntil([] { return false; }, seconds);
}

bool runLoopUntilIdle(double timeoutSeconds) {
    bool idle = false;
    Ecore_Idler* idler = ecore_idler_add(
        [](void* data) {
            *static_cast<bool*>(data) = true;
            return ECORE_CALLBACK_CANCEL;
        },
        &idle);
    runLoopUntil([&] { return idle; }, timeoutSeconds);
    if (!idle)
        ecore_idler_del(idler);
    return idle;
}

bool runLoopUntilShown(Evas_Object* obj, double timeoutSeconds) {
    return runLoopUntil(
        [obj] {
            if (!obj || !evas_object_visible_get(obj))
                return false;
            for (Evas_Object* clip = obj; clip; clip = evas_object_clip_get(clip)) {
                int alpha = 0;
                evas_object_color_get(clip, nullptr, nullptr, nullptr, &alpha);
                if (alpha < 255 || !evas_object_visible_get(clip))
                    return false;
            }
            return true;
        },
        timeoutSeconds);
}

bool runLoopUntilPartState(Evas_Object* edje, const char* part, const char* state, double timeoutSeconds) {
    return runLoopUntil(
        [=] {
            const char* current = edje_object_part_state_get(edje, part, nullptr);
            return current && std::strcmp(current, state) == 0;
        },
        timeoutSeconds);
}

std::vector<Evas_Object*> objectsOfClass(Evas* canvas, const char* className) {
    std::vector<Evas_Object*> found;
    for (Evas_Object* obj = evas_object_bottom_get(canvas); obj; obj = evas_object_above_get(obj)) {
        const char* name = efl_class_name_get(efl_class_get(obj));
        if (name && std::strcmp(name, className) == 0)
            found.push_back(obj);
    }
    return found;
}

} // namespace msg_test
