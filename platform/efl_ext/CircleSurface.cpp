#include "CircleSurface.h"

#include "CircleGenlist.h"
#include "InputRouter.h"
#include "efl_extension.h"
#include "log/PlatformLog.h"

#include <algorithm>

namespace eext {

CircleSurface::CircleSurface(Evas_Object* parent) : _parent(parent) {
    evas_object_event_callback_add(parent, EVAS_CALLBACK_DEL, _parentDelCb, this);
    evas_object_event_callback_add(parent, EVAS_CALLBACK_MOVE, _parentGeometryCb, this);
    evas_object_event_callback_add(parent, EVAS_CALLBACK_RESIZE, _parentGeometryCb, this);
    InputRouter::attach(parent);
}

CircleSurface::~CircleSurface() {
    if (_parent) {
        evas_object_event_callback_del_full(_parent, EVAS_CALLBACK_DEL, _parentDelCb, this);
        evas_object_event_callback_del_full(_parent, EVAS_CALLBACK_MOVE, _parentGeometryCb, this);
        evas_object_event_callback_del_full(_parent, EVAS_CALLBACK_RESIZE, _parentGeometryCb, this);
    }
    // The objects stay, drawn around their own genlists from now on.
    std::vector<CircleGenlist*> objects;
    objects.swap(_objects);
    for (CircleGenlist* object : objects)
        object->surfaceGone();
}

CircleSurface* CircleSurface::create(Evas_Object* parent) {
    PLAT_RETV_IF(!parent, nullptr, "parent is NULL");
    return new CircleSurface(parent);
}

void CircleSurface::destroy() {
    delete this;
}

void CircleSurface::geometry(int* x, int* y, int* w, int* h) const {
    evas_object_geometry_get(_parent, x, y, w, h);
}

void CircleSurface::attach(CircleGenlist* object) {
    _objects.push_back(object);
}

void CircleSurface::detach(CircleGenlist* object) {
    _objects.erase(std::remove(_objects.begin(), _objects.end(), object), _objects.end());
}

void CircleSurface::_parentDelCb(void* data, Evas*, Evas_Object*, void*) {
    auto* self = static_cast<CircleSurface*>(data);
    self->_parent = nullptr;
    delete self;
}

void CircleSurface::_parentGeometryCb(void* data, Evas*, Evas_Object*, void*) {
    for (CircleGenlist* object : static_cast<CircleSurface*>(data)->_objects)
        object->relayout();
}

} // namespace eext

namespace {

// The handle given to callers is owned by the surface object and dies with it.
Eext_Circle_Surface* surfaceAdd(Evas_Object* parent) {
    eext::CircleSurface* impl = eext::CircleSurface::create(parent);
    return impl ? reinterpret_cast<Eext_Circle_Surface*>(impl) : nullptr;
}

} // namespace

extern "C" {

Eext_Circle_Surface* eext_circle_surface_naviframe_add(Evas_Object* naviframe) {
    return surfaceAdd(naviframe);
}

Eext_Circle_Surface* eext_circle_surface_layout_add(Evas_Object* layout) {
    return surfaceAdd(layout);
}

Eext_Circle_Surface* eext_circle_surface_conformant_add(Evas_Object* conformant) {
    return surfaceAdd(conformant);
}

void eext_circle_surface_del(Eext_Circle_Surface* surface) {
    if (surface)
        reinterpret_cast<eext::CircleSurface*>(surface)->destroy();
}
}
