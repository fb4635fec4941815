#include "view_kit/WWindowController.h"

#include "efl_ext/Theme.h"
#include "log/PlatformLog.h"
#include "view_kit/WNaviframeController.h"

namespace view_kit {

namespace {

const char* const WINDOW_KEY = "view_kit.window";
const char* const MASK_NAME = "view_kit.window.mask";

// Found by name, so that a mask already gone is simply not found.
void fitMaskCb(void*, Evas* e, Evas_Object* win, void*) {
    Evas_Object* mask = evas_object_name_find(e, MASK_NAME);
    if (!mask)
        return;
    int w = 0, h = 0;
    evas_object_geometry_get(win, nullptr, nullptr, &w, &h);
    evas_object_move(mask, 0, 0);
    evas_object_resize(mask, w, h);
}

} // namespace

WWindowController::WWindowController() = default;

WWindowController::~WWindowController() {
    destroy();
}

bool WWindowController::create(const char* name, int width, int height) {
    PLAT_RETV_IF(_win, false, "the window exists already");
    _win = elm_win_add(nullptr, name ? name : "window", ELM_WIN_BASIC);
    PLAT_RETV_IF(!_win, false, "elm_win_add() failed");
    evas_object_data_set(_win, WINDOW_KEY, this);
    evas_object_event_callback_add(_win, EVAS_CALLBACK_DEL, _winDelCb, this);
    evas_object_smart_callback_add(_win, "delete,request", _deleteRequestCb, this);
    elm_win_title_set(_win, name);

    Evas_Object* bg = elm_bg_add(_win);
    elm_bg_color_set(bg, 0, 0, 0);
    evas_object_size_hint_weight_set(bg, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    elm_win_resize_object_add(_win, bg);
    evas_object_show(bg);

    _base = eext::Theme::addLayout(_win, "layout", "eext_window");
    evas_object_size_hint_weight_set(_base, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    elm_win_resize_object_add(_win, _base);
    evas_object_show(_base);

    auto* naviframe = new WNaviframeController();
    if (!naviframe->create(_base, nullptr)) {
        naviframe->destroy();
        destroy();
        return false;
    }
    _naviframe = naviframe->getEvasObject();
    elm_object_part_content_set(_base, "elm.swallow.content", _naviframe);
    evas_object_show(_naviframe);
    _circleSurface = eext_circle_surface_naviframe_add(_naviframe);

    // The round screen: black outside the circle, touch-through, and above everything on the
    // canvas, the window's content and what is drawn over it (popups, the input panel) alike.
    Evas_Object* mask = eext::Theme::addEdje(evas_object_evas_get(_win), "eext/circle/mask");
    if (mask) {
        evas_object_name_set(mask, MASK_NAME);
        evas_object_pass_events_set(mask, EINA_TRUE);
        evas_object_layer_set(mask, EVAS_LAYER_MAX - 1);
        evas_object_event_callback_add(_win, EVAS_CALLBACK_RESIZE, fitMaskCb, nullptr);
        evas_object_show(mask);
    }
    evas_object_resize(_win, width, height);
    evas_object_show(_win);
    return true;
}

void WWindowController::destroy() {
    if (_win)
        evas_object_del(_win);
}

WNaviframeController* WWindowController::getNaviframeController() const {
    return static_cast<WNaviframeController*>(wviewcontroller_get_instance_from_evasobj(_naviframe));
}

void WWindowController::setOnDeleteRequest(std::function<void()> onDeleteRequest) {
    _onDeleteRequest = std::move(onDeleteRequest);
}

WWindowController* WWindowController::getFromObject(Evas_Object* obj) {
    Evas_Object* win = obj ? elm_object_top_widget_get(obj) : nullptr;
    return win ? static_cast<WWindowController*>(evas_object_data_get(win, WINDOW_KEY)) : nullptr;
}

void WWindowController::_winDelCb(void* data, Evas*, Evas_Object* obj, void*) {
    auto* self = static_cast<WWindowController*>(data);
    evas_object_data_del(obj, WINDOW_KEY);
    self->_win = nullptr;
    self->_base = nullptr;
    self->_naviframe = nullptr;
    // The surface went with the naviframe.
    self->_circleSurface = nullptr;
}

void WWindowController::_deleteRequestCb(void* data, Evas_Object*, void*) {
    auto* self = static_cast<WWindowController*>(data);
    if (self->_onDeleteRequest)
        self->_onDeleteRequest();
}

} // namespace view_kit
