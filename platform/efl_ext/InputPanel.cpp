#include "InputPanel.h"

#include "efl_ext/Theme.h"
#include "log/PlatformLog.h"

#include <Ecore_IMF.h>

#include <cstdlib>

namespace eext {

namespace {

constexpr const char* VIEW_GROUP = "eext/input_panel";

struct PanelState {
    Evas* canvas = nullptr;
    bool prediction = true;
    bool shown = false;
    // What the user sees of the panel; made when it first shows.
    Evas_Object* view = nullptr;
};

// The context whose panel is up; one panel per process, like the device's.
Ecore_IMF_Context* shownContext = nullptr;

PanelState* stateOf(Ecore_IMF_Context* ctx) {
    return static_cast<PanelState*>(ecore_imf_context_data_get(ctx));
}

int panelHeight(const PanelState* state) {
    return state->prediction ? InputPanel::HEIGHT_WITH_PREDICTION : InputPanel::HEIGHT_PLAIN;
}

void panelGeometryGet(Ecore_IMF_Context* ctx, int* x, int* y, int* w, int* h);

void viewDelCb(void* data, Evas*, Evas_Object*, void*) {
    static_cast<PanelState*>(data)->view = nullptr;
}

// Draws the panel at the geometry its events report, or takes it away.
void drawView(Ecore_IMF_Context* ctx) {
    PanelState* state = stateOf(ctx);
    if (!state || !state->canvas)
        return;
    if (!state->shown) {
        if (state->view)
            evas_object_hide(state->view);
        return;
    }
    if (!state->view) {
        state->view = Theme::addEdje(state->canvas, VIEW_GROUP);
        PLAT_RET_IF(!state->view, "the input panel cannot be drawn");
        evas_object_event_callback_add(state->view, EVAS_CALLBACK_DEL, viewDelCb, state);
    }
    int x = 0, y = 0, w = 0, h = 0;
    panelGeometryGet(ctx, &x, &y, &w, &h);
    evas_object_move(state->view, x, y);
    evas_object_resize(state->view, w, h);
    edje_object_signal_emit(state->view, state->prediction ? "prediction,show" : "prediction,hide", "eext");
    // Over the screen shown now; a popup that comes later goes over the panel, the round mask over all.
    evas_object_raise(state->view);
    evas_object_show(state->view);
}

void notify(Ecore_IMF_Context* ctx, Ecore_IMF_Input_Panel_State panelState) {
    drawView(ctx);
    ecore_imf_context_input_panel_event_callback_call(ctx, ECORE_IMF_INPUT_PANEL_STATE_EVENT, panelState);
    ecore_imf_context_input_panel_event_callback_call(ctx, ECORE_IMF_INPUT_PANEL_GEOMETRY_EVENT, 0);
}

void panelAdd(Ecore_IMF_Context* ctx) {
    ecore_imf_context_data_set(ctx, new PanelState());
}

void panelHide(Ecore_IMF_Context* ctx) {
    PanelState* state = stateOf(ctx);
    if (!state || !state->shown)
        return;
    state->shown = false;
    if (shownContext == ctx)
        shownContext = nullptr;
    notify(ctx, ECORE_IMF_INPUT_PANEL_STATE_HIDE);
}

void panelShow(Ecore_IMF_Context* ctx) {
    PanelState* state = stateOf(ctx);
    if (!state || state->shown)
        return;
    if (shownContext && shownContext != ctx)
        panelHide(shownContext);
    state->shown = true;
    shownContext = ctx;
    notify(ctx, ECORE_IMF_INPUT_PANEL_STATE_SHOW);
}

void panelDel(Ecore_IMF_Context* ctx) {
    if (shownContext == ctx)
        shownContext = nullptr;
    PanelState* state = stateOf(ctx);
    if (state && state->view) {
        evas_object_event_callback_del_full(state->view, EVAS_CALLBACK_DEL, viewDelCb, state);
        evas_object_del(state->view);
    }
    delete state;
    ecore_imf_context_data_set(ctx, nullptr);
}

void panelCanvasSet(Ecore_IMF_Context* ctx, void* canvas) {
    if (PanelState* state = stateOf(ctx))
        state->canvas = static_cast<Evas*>(canvas);
}

void panelFocusIn(Ecore_IMF_Context* ctx) {
    if (ecore_imf_context_input_panel_enabled_get(ctx) &&
        !ecore_imf_context_input_panel_show_on_demand_get(ctx))
        panelShow(ctx);
}

void panelPredictionSet(Ecore_IMF_Context* ctx, Eina_Bool prediction) {
    PanelState* state = stateOf(ctx);
    if (!state || state->prediction == static_cast<bool>(prediction))
        return;
    state->prediction = prediction;
    if (state->shown) {
        drawView(ctx);
        ecore_imf_context_input_panel_event_callback_call(ctx, ECORE_IMF_INPUT_PANEL_GEOMETRY_EVENT, 0);
    }
}

void panelGeometryGet(Ecore_IMF_Context* ctx, int* x, int* y, int* w, int* h) {
    PanelState* state = stateOf(ctx);
    int width = 0, height = 0;
    if (state && state->shown && state->canvas)
        evas_output_size_get(state->canvas, &width, &height);
    int panel = width > 0 ? panelHeight(state) : 0;
    if (x)
        *x = 0;
    if (y)
        *y = height - panel;
    if (w)
        *w = width;
    if (h)
        *h = panel;
}

Ecore_IMF_Input_Panel_State panelStateGet(Ecore_IMF_Context* ctx) {
    PanelState* state = stateOf(ctx);
    return state && state->shown ? ECORE_IMF_INPUT_PANEL_STATE_SHOW : ECORE_IMF_INPUT_PANEL_STATE_HIDE;
}

// The desktop's keys reach the entry unchanged.
Eina_Bool panelFilterEvent(Ecore_IMF_Context*, Ecore_IMF_Event_Type, Ecore_IMF_Event*) {
    return EINA_FALSE;
}

Ecore_IMF_Context_Class makeClass() {
    Ecore_IMF_Context_Class klass{};
    klass.add = panelAdd;
    klass.del = panelDel;
    klass.client_canvas_set = panelCanvasSet;
    klass.show = panelShow;
    klass.hide = panelHide;
    klass.focus_in = panelFocusIn;
    klass.focus_out = panelHide;
    klass.filter_event = panelFilterEvent;
    klass.prediction_allow_set = panelPredictionSet;
    klass.input_panel_geometry_get = panelGeometryGet;
    klass.input_panel_state_get = panelStateGet;
    return klass;
}

const Ecore_IMF_Context_Class PANEL_CLASS = makeClass();
const Ecore_IMF_Context_Info PANEL_INFO = {InputPanel::MODULE_ID, "The watch's input panel", "*", "evas", 1};

Ecore_IMF_Context* panelCreate() {
    return ecore_imf_context_new(&PANEL_CLASS);
}

Ecore_IMF_Context* panelExit() {
    return nullptr;
}

} // namespace

void InputPanel::install() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    ecore_imf_init();
    ecore_imf_module_register(&PANEL_INFO, panelCreate, panelExit);
    // An input method the user chose on purpose is kept.
    if (setenv("ECORE_IMF_MODULE", MODULE_ID, 0) != 0)
        PLAT_LOGW("cannot choose the input panel");
}

bool InputPanel::hideOn(Evas* canvas) {
    if (!shownContext)
        return false;
    PanelState* state = stateOf(shownContext);
    if (!state || state->canvas != canvas)
        return false;
    ecore_imf_context_input_panel_hide(shownContext);
    return true;
}

} // namespace eext
