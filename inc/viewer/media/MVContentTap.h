/*
 * Press, release and tap on a bubble's content object: a tap is a release
 * inside the object that no scroll took over and the finger did not drag
 * to. Lives as long as the object.
 */
#ifndef MSG_APP_VIEWER_MEDIA_MVCONTENTTAP_H
#define MSG_APP_VIEWER_MEDIA_MVCONTENTTAP_H

#include <Evas.h>

#include <functional>

namespace msg_app {
namespace msg_viewer {

class MVContentTap {
public:
    enum Kind : int {
        PRESS = 0,
        RELEASE = 1,
        TAP = 2,
    };
    using Callback = std::function<void(Kind)>;
    // A finger that moves this far from where it came down drags rather than taps (at the end of
    // a conversation, up past it to reply, where the list has nowhere to scroll).
    static constexpr int DRAG_DISTANCE = 15;

    // Watches the object until it is deleted.
    static void attach(Evas_Object* obj, Callback callback);

private:
    explicit MVContentTap(Callback callback) : _callback(std::move(callback)) {}
    static void _downCb(void* data, Evas* e, Evas_Object* obj, void* info);
    static void _upCb(void* data, Evas* e, Evas_Object* obj, void* info);
    static void _moveCb(void* data, Evas* e, Evas_Object* obj, void* info);
    static void _delCb(void* data, Evas* e, Evas_Object* obj, void* info);
    static void _showCb(void* data, Evas* e, Evas_Object* obj, void* info);

    Callback _callback;
    bool _pressed = false;
    bool _dragged = false;
    int _downX = 0;
    int _downY = 0;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
