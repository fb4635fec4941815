#include "viewer/MVRotaryToAction.h"

#include "common/MsgLog.h"
#include "view_kit/WTimer.h"

#include <Elementary.h>

#include <memory>

namespace msg_app {
namespace msg_viewer {

namespace {

enum PartId { PART_ICON = 0, PART_TEXT, PART_LIST, PART_COUNT };
enum Step { STEP_REST = 0, STEP_1, STEP_BACK, STEP_2, STEP_LAUNCH, STEP_COUNT };

constexpr double FALLBACK_SECONDS = 0.5;
constexpr int LAUNCH_DETENTS = 3;
constexpr int STEP_2_DETENTS = 2;
constexpr int LAUNCH_MOVE_DISTANCE = 58;
constexpr int NO_ABSOLUTE_Y = -1;
const double BEZIER[4] = {0.25, 0.46, 0.45, 1.0};

// Where a step leaves its part: zoom, centre offset from the sequence's start (or an absolute
// centre), alpha, and how long it takes. Every step starts from where the last one left off.
struct StepSpec {
    double zoom;
    int dy;
    int absoluteY;
    int alpha;
    double duration;
};

const StepSpec STEPS[PART_COUNT][STEP_COUNT] = {
    // rest, 1, back, 2, launch
    {{1.0, 0, NO_ABSOLUTE_Y, 255, 0},
     {1.5, -62, NO_ABSOLUTE_Y, 255, 0.3},
     {1.0, 0, NO_ABSOLUTE_Y, 255, 0.3},
     {1.73, -92, NO_ABSOLUTE_Y, 255, 0.5},
     {1.73, -302, NO_ABSOLUTE_Y, 0, 0.4}},
    {{1.0, 0, NO_ABSOLUTE_Y, 255, 0},
     {1.0, -28, NO_ABSOLUTE_Y, 255, 0.3},
     {1.0, 0, NO_ABSOLUTE_Y, 255, 0.3},
     {1.0, 0, 244, 255, 0.5},
     {1.0, -276, NO_ABSOLUTE_Y, 0, 0.4}},
    {{1.0, 0, NO_ABSOLUTE_Y, 255, 0},
     {1.0, -83, NO_ABSOLUTE_Y, 255, 0.3},
     {1.0, 0, NO_ABSOLUTE_Y, 255, 0.3},
     {1.0, -123, NO_ABSOLUTE_Y, 255, 0.5},
     {1.0, -333, NO_ABSOLUTE_Y, 0, 0.4}},
};

struct EffectCtx {
    Evas_Object* obj = nullptr;
    int w = 0, h = 0;
    Evas_Map* map = nullptr;
    int centerX = 0;
    int baseCenterY = 0; // the object's own centre at the start of the sequence
    double zoom = 1.0, startZoom = 1.0, endZoom = 1.0;
    double dy = 0, startDy = 0, endDy = 0;
    int alpha = 255, startAlpha = 255, endAlpha = 255;
};

struct Part {
    std::vector<std::unique_ptr<EffectCtx>> ctxs;
    Elm_Transit* transit = nullptr;
    std::weak_ptr<view_kit::WTimer> fallback;
    Step step = STEP_REST;
    int detents = 0;
    bool byButton = false;
    bool waiting = false;
};

struct State {
    Evas_Object* genlist = nullptr;
    bool frozen = false;
    Part parts[PART_COUNT];
    int moveDistance = 0;
    bool top = false;
    rotate_to_action_launching_animation_state_changed_cb callback = nullptr;
    void* userData = nullptr;
    // Tells a step's end that the animation was deleted under it (by the state callback).
    unsigned generation = 0;
};

State& state() {
    static State s;
    return s;
}

void _play(PartId id, Step step);

void _applyMap(EffectCtx& ctx) {
    if (!ctx.map)
        ctx.map = evas_map_new(4);
    if (!ctx.map)
        return;
    int w = static_cast<int>(ctx.w * ctx.zoom);
    int h = static_cast<int>(ctx.h * ctx.zoom);
    int cy = ctx.baseCenterY + static_cast<int>(ctx.dy);
    evas_map_util_points_populate_from_geometry(ctx.map, ctx.centerX - w / 2, cy - h / 2, w, h, 0);
    for (int i = 0; i < 4; ++i)
        evas_map_point_color_set(ctx.map, i, ctx.alpha, ctx.alpha, ctx.alpha, ctx.alpha);
    evas_object_map_set(ctx.obj, ctx.map);
    evas_object_map_enable_set(ctx.obj, EINA_TRUE);
}

void _objDelCb(void* data, Evas*, Evas_Object* obj, void*);

void _removeCtx(EffectCtx& ctx) {
    evas_object_event_callback_del_full(ctx.obj, EVAS_CALLBACK_DEL, _objDelCb, &ctx);
    evas_object_map_enable_set(ctx.obj, EINA_FALSE);
    evas_object_map_set(ctx.obj, nullptr);
    if (ctx.map)
        evas_map_free(ctx.map);
    ctx.map = nullptr;
}

// A row that a store change or unrealize removed is forgotten, never drawn again.
void _objDelCb(void* data, Evas*, Evas_Object*, void*) {
    auto* gone = static_cast<EffectCtx*>(data);
    for (Part& part : state().parts)
        for (auto it = part.ctxs.begin(); it != part.ctxs.end(); ++it)
            if (it->get() == gone) {
                if (gone->map)
                    evas_map_free(gone->map);
                part.ctxs.erase(it);
                return;
            }
}

void _genlistDelCb(void*, Evas*, Evas_Object*, void*) {
    state().genlist = nullptr;
    state().frozen = false;
}

void _addCtx(Part& part, Evas_Object* obj) {
    if (!obj)
        return;
    auto ctx = std::make_unique<EffectCtx>();
    int x = 0, y = 0;
    ctx->obj = obj;
    evas_object_geometry_get(obj, &x, &y, &ctx->w, &ctx->h);
    ctx->centerX = x + ctx->w / 2;
    ctx->baseCenterY = y + ctx->h / 2;
    evas_object_event_callback_add(obj, EVAS_CALLBACK_DEL, _objDelCb, ctx.get());
    part.ctxs.push_back(std::move(ctx));
}

void _freeze(Evas_Object* genlist) {
    State& s = state();
    if (s.frozen)
        return;
    s.genlist = genlist;
    evas_object_event_callback_add(genlist, EVAS_CALLBACK_DEL, _genlistDelCb, nullptr);
    elm_object_scroll_freeze_push(genlist);
    s.frozen = true;
}

void _unfreeze() {
    State& s = state();
    if (s.frozen && s.genlist) {
        elm_object_scroll_freeze_pop(s.genlist);
        evas_object_event_callback_del(s.genlist, EVAS_CALLBACK_DEL, _genlistDelCb);
    }
    s.frozen = false;
    s.genlist = nullptr;
}

bool _partBusy(const Part& part) {
    return part.transit || !part.fallback.expired();
}

bool _allAtRest() {
    for (const Part& part : state().parts)
        if (part.step != STEP_REST || _partBusy(part))
            return false;
    return true;
}

void _effectCb(Elm_Transit_Effect* effect, Elm_Transit*, double progress) {
    auto* part = static_cast<Part*>(effect);
    for (auto& ctx : part->ctxs) {
        ctx->zoom = ctx->startZoom + (ctx->endZoom - ctx->startZoom) * progress;
        ctx->dy = ctx->startDy + (ctx->endDy - ctx->startDy) * progress;
        ctx->alpha = ctx->startAlpha + static_cast<int>((ctx->endAlpha - ctx->startAlpha) * progress);
        _applyMap(*ctx);
    }
}

void _onStepEnd(PartId id, Step step) {
    State& s = state();
    Part& part = s.parts[id];
    switch (step) {
    case STEP_1:
        if (part.byButton || part.detents >= STEP_2_DETENTS) {
            _play(id, STEP_2);
            break;
        }
        // The user stopped turning: the part falls back unless another detent comes.
        part.fallback = view_kit::WTimer::addTimer(
            FALLBACK_SECONDS,
            [id](void*) {
                state().parts[id].fallback.reset();
                _play(id, STEP_BACK);
                return false;
            },
            nullptr);
        break;
    case STEP_BACK:
        part.step = STEP_REST;
        if (_allAtRest())
            rotary_to_action_animation_delete();
        break;
    case STEP_2:
        s.top = true;
        if (part.byButton || part.detents >= LAUNCH_DETENTS || s.moveDistance >= LAUNCH_MOVE_DISTANCE) {
            if (id == PART_ICON && s.callback) {
                unsigned generation = s.generation;
                s.callback(ROTATE_TO_ACTION_LAUNCHING_ANIMATION_STATE_LAUNCH, s.userData);
                if (generation != s.generation)
                    return;
            }
            _play(id, STEP_LAUNCH);
        } else {
            part.waiting = true;
            part.detents = 0;
        }
        break;
    case STEP_LAUNCH:
        part.detents = 0;
        if (id != PART_TEXT)
            break;
        s.moveDistance = 0;
        for (Part& each : s.parts)
            each.byButton = false;
        _unfreeze();
        if (s.callback)
            s.callback(ROTATE_TO_ACTION_LAUNCHING_ANIMATION_STATE_FINISHED, s.userData);
        break;
    default:
        break;
    }
}

void _transitDelCb(void* data, Elm_Transit* transit) {
    auto id = static_cast<PartId>(reinterpret_cast<intptr_t>(data));
    Part& part = state().parts[id];
    // A transit deleted on purpose was forgotten first.
    if (part.transit != transit)
        return;
    part.transit = nullptr;
    _onStepEnd(id, part.step);
}

void _play(PartId id, Step step) {
    Part& part = state().parts[id];
    const StepSpec& spec = STEPS[id][step];
    part.step = step;
    part.waiting = false;
    view_kit::WTimer::destroy(part.fallback);
    // Its rows are gone: the sequence goes on without drawing them.
    if (part.ctxs.empty()) {
        _onStepEnd(id, step);
        return;
    }
    Elm_Transit* transit = elm_transit_add();
    MSG_RET_IF(!transit, "elm_transit_add failed");
    for (auto& ctx : part.ctxs) {
        ctx->startZoom = ctx->zoom;
        ctx->startDy = ctx->dy;
        ctx->startAlpha = ctx->alpha;
        ctx->endZoom = spec.zoom;
        ctx->endDy = spec.absoluteY == NO_ABSOLUTE_Y ? spec.dy : spec.absoluteY - ctx->baseCenterY;
        ctx->endAlpha = spec.alpha;
        elm_transit_object_add(transit, ctx->obj);
    }
    elm_transit_effect_add(transit, _effectCb, &part, nullptr);
    elm_transit_tween_mode_set(transit, ELM_TRANSIT_TWEEN_MODE_BEZIER_CURVE);
    elm_transit_tween_mode_factor_n_set(transit, 4, const_cast<double*>(BEZIER));
    elm_transit_objects_final_state_keep_set(transit, EINA_TRUE);
    elm_transit_event_enabled_set(transit, EINA_TRUE);
    elm_transit_duration_set(transit, spec.duration);
    elm_transit_del_cb_set(transit, _transitDelCb, reinterpret_cast<void*>(static_cast<intptr_t>(id)));
    part.transit = transit;
    elm_transit_go(transit);
}

bool _anyRunning() {
    for (const Part& part : state().parts)
        if (part.transit)
            return true;
    return false;
}

void _clockwise(Evas_Object* genlist, const std::vector<Evas_Object*>& itemList, Evas_Object* replyIcon,
                Evas_Object* replyText, bool byButton) {
    State& s = state();
    MSG_RET_IF(!genlist || !replyIcon || !replyText, "nothing to animate");
    if (_anyRunning() || (s.top && !byButton))
        return;
    if (_allAtRest()) {
        rotary_to_action_animation_delete();
        _freeze(genlist);
        _addCtx(s.parts[PART_ICON], replyIcon);
        _addCtx(s.parts[PART_TEXT], replyText);
        for (Evas_Object* row : itemList)
            _addCtx(s.parts[PART_LIST], row);
    }
    for (int id = 0; id < PART_COUNT; ++id) {
        Part& part = s.parts[id];
        if (byButton)
            part.byButton = true;
        if (part.waiting)
            _onStepEnd(static_cast<PartId>(id), STEP_2);
        else if (part.step != STEP_1)
            _play(static_cast<PartId>(id), STEP_1);
        else if (byButton && !part.fallback.expired())
            _play(static_cast<PartId>(id), STEP_2);
    }
}

} // namespace

void rotary_to_action_animation_clockwise(Evas_Object* genlist, const std::vector<Evas_Object*>& itemList,
                                          Evas_Object* replyIcon, Evas_Object* replyText) {
    _clockwise(genlist, itemList, replyIcon, replyText, false);
}

void rotary_to_action_animation_clockwise_by_button(Evas_Object* genlist,
                                                    const std::vector<Evas_Object*>& itemList,
                                                    Evas_Object* replyIcon, Evas_Object* replyText) {
    _clockwise(genlist, itemList, replyIcon, replyText, true);
}

void rotary_to_action_animation_counter_clockwise(Evas_Object*, const std::vector<Evas_Object*>&,
                                                  Evas_Object*, Evas_Object*) {
    if (_anyRunning())
        return;
    // One step down the same table: from the top to the first step, from there to rest.
    for (int id = 0; id < PART_COUNT; ++id) {
        Part& part = state().parts[id];
        if (part.step == STEP_1)
            _play(static_cast<PartId>(id), STEP_BACK);
        else if (part.step == STEP_2) {
            state().top = false;
            _play(static_cast<PartId>(id), STEP_1);
        }
    }
}

void rotary_to_action_animation_delete() {
    State& s = state();
    ++s.generation;
    for (Part& part : s.parts) {
        Elm_Transit* transit = part.transit;
        part.transit = nullptr;
        if (transit)
            elm_transit_del(transit);
        view_kit::WTimer::destroy(part.fallback);
        for (auto& ctx : part.ctxs)
            _removeCtx(*ctx);
        part.ctxs.clear();
        part.step = STEP_REST;
        part.detents = 0;
        part.byButton = false;
        part.waiting = false;
    }
    _unfreeze();
    s.moveDistance = 0;
    s.top = false;
}

void increase_detent_count() {
    State& s = state();
    bool replay = false;
    for (Part& part : s.parts)
        replay = replay || part.waiting || !part.fallback.expired();
    if (replay)
        for (PartId id : {PART_ICON, PART_LIST, PART_TEXT})
            if (!s.parts[id].transit)
                _play(id, STEP_2);
    for (Part& part : s.parts)
        ++part.detents;
}

void decrease_detent_count() {
    for (Part& part : state().parts)
        if (part.detents > 0)
            --part.detents;
}

void set_move_distance(int distance) {
    state().moveDistance = distance;
}

bool isTop() {
    return state().top;
}

bool isAnimating() {
    for (const Part& part : state().parts)
        if (_partBusy(part))
            return true;
    return false;
}

void set_launching_animation_state_changed_cb(rotate_to_action_launching_animation_state_changed_cb callback,
                                              void* userData) {
    state().callback = callback;
    state().userData = userData;
}

} // namespace msg_viewer
} // namespace msg_app
