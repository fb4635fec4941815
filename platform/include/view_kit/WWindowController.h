#ifndef VIEW_KIT_WWINDOWCONTROLLER_H
#define VIEW_KIT_WWINDOWCONTROLLER_H

#include <Elementary.h>
#include <efl_extension.h>

#include <functional>

namespace view_kit {

class WNaviframeController;

// The watch's window: a black round screen (everything outside the circle
// black), the base layout that hosts the naviframe and free-standing popups,
// the circle surface for circle objects, and the naviframe controller.
class WWindowController {
public:
    WWindowController();
    virtual ~WWindowController();
    WWindowController(const WWindowController&) = delete;
    WWindowController& operator=(const WWindowController&) = delete;

    bool create(const char* name, int width, int height);
    // Deletes the window and everything on it.
    void destroy();

    Evas_Object* getEvasObject() const { return _win; }
    Evas_Object* getBaseObject() const { return _base; }
    Eext_Circle_Surface* getCircleSurface() const { return _circleSurface; }
    WNaviframeController* getNaviframeController() const;
    // Called when the window manager asks to close the window.
    void setOnDeleteRequest(std::function<void()> onDeleteRequest);

    // The window controller of the window that holds obj, or null.
    static WWindowController* getFromObject(Evas_Object* obj);

private:
    static void _winDelCb(void* data, Evas* e, Evas_Object* obj, void* info);
    static void _deleteRequestCb(void* data, Evas_Object* obj, void* info);

    Evas_Object* _win = nullptr;
    Evas_Object* _base = nullptr;
    Evas_Object* _naviframe = nullptr;
    Eext_Circle_Surface* _circleSurface = nullptr;
    std::function<void()> _onDeleteRequest;
};

} // namespace view_kit

#endif
