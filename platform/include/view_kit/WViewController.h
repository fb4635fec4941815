#ifndef VIEW_KIT_WVIEWCONTROLLER_H
#define VIEW_KIT_WVIEWCONTROLLER_H

#include <Elementary.h>

#include <memory>
#include <string>

namespace view_kit {

class WWindowController;

// The base of every screen, panel and popup: one controller per view object.
//
// Life: create(parent, param) runs onCreate, onCreateView (which returns the
// view's root object) and onCreated. From then on the view owns the
// controller: destroy() runs onDestroy while the view still exists, deletes
// the view and frees the controller; so does the deletion of the view by its
// parent. A controller handed to push, attachPopup or setPartContent belongs
// to the framework, which frees it even when its creation fails; the program
// never deletes it. Weak pointers (getWeakPtr) expire when the controller dies.
class WViewController {
public:
    WViewController();
    virtual ~WViewController();
    WViewController(const WViewController&) = delete;
    WViewController& operator=(const WViewController&) = delete;

    virtual const char* getClassName() const;
    // False when a step fails; the controller then stays the caller's.
    virtual bool create(Evas_Object* parent, void* param);
    virtual void destroy();

    Evas_Object* getEvasObject() const { return _evasObj; }
    std::weak_ptr<WViewController> getWeakPtr() const { return _self; }
    WWindowController* getWindowController() const;
    void setName(const char* name);
    const char* getName() const { return _name.c_str(); }

    // Creates the popup on this view and shows it; a popup attached before is
    // destroyed first.
    bool attachPopup(WViewController* popup);
    void destroyPopup();
    // Creates vc in the part of this view; the part's previous controller dies.
    bool setPartContent(const char* part, WViewController* vc);
    WViewController* getPartContent(const char* part) const;
    // Takes the part's controller out; it lives on until set elsewhere,
    // destroyed, or its window goes.
    WViewController* unsetPartContent(const char* part);

protected:
    virtual bool onCreate(void* param);
    virtual Evas_Object* onCreateView(Evas_Object* parent, void* param) = 0;
    virtual void onCreated();
    virtual void onDestroy();

private:
    void _release();
    static void _viewDelCb(void* data, Evas* e, Evas_Object* obj, void* info);

    std::shared_ptr<WViewController> _self;
    Evas_Object* _evasObj = nullptr;
    std::string _name;
    std::weak_ptr<WViewController> _popup;
    bool _destroying = false;
};

// A weak pointer to a controller as its own class.
template <typename T> std::weak_ptr<T> weak_cast(const std::weak_ptr<WViewController>& weak) {
    return std::static_pointer_cast<T>(weak.lock());
}

} // namespace view_kit

// The controller of a view's root object, or null.
view_kit::WViewController* wviewcontroller_get_instance_from_evasobj(Evas_Object* obj);

#endif
