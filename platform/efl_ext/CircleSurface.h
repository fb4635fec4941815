#ifndef EEXT_CIRCLESURFACE_H
#define EEXT_CIRCLESURFACE_H

#include <Evas.h>

#include <vector>

namespace eext {

class CircleGenlist;

// The area whose circle objects are drawn around its middle: the naviframe,
// layout or conformant it was made for. It dies with that object.
class CircleSurface {
public:
    static CircleSurface* create(Evas_Object* parent);
    void destroy();

    Evas_Object* parent() const { return _parent; }
    void geometry(int* x, int* y, int* w, int* h) const;

    void attach(CircleGenlist* object);
    void detach(CircleGenlist* object);

private:
    explicit CircleSurface(Evas_Object* parent);
    ~CircleSurface();
    static void _parentDelCb(void* data, Evas* e, Evas_Object* obj, void* info);
    static void _parentGeometryCb(void* data, Evas* e, Evas_Object* obj, void* info);

    Evas_Object* _parent;
    std::vector<CircleGenlist*> _objects;
};

} // namespace eext

#endif
