#ifndef MSG_SHOT_FRAMECAPTURE_H
#define MSG_SHOT_FRAMECAPTURE_H

#include <Elementary.h>

namespace msg_shot {

// Waits until the window's canvas has rendered and stayed still for a while
// (animations done), then saves the frame as a PNG. A screen whose state does
// not last (a running job) calls the window's CAPTURE_EVENT smart callback
// instead: the frame is then taken once it has rendered after the call.
class FrameCapture {
public:
    // quietSeconds without a new frame counts as settled; limit ends waiting.
    FrameCapture(Evas_Object* win, double quietSeconds, double limitSeconds);
    ~FrameCapture();
    FrameCapture(const FrameCapture&) = delete;
    FrameCapture& operator=(const FrameCapture&) = delete;

    // Runs the main loop until the frame settles; false when nothing rendered.
    bool waitUntilSettled();
    bool save(const char* path) const;

private:
    static void _renderPostCb(void* data, Evas* e, void* info);
    static Eina_Bool _checkCb(void* data);
    static void _captureRequestedCb(void* data, Evas_Object* obj, void* info);

    Evas_Object* _win;
    double _quiet;
    double _limit;
    double _start = 0;
    double _lastFrame = 0;
    int _frames = 0;
    int _framesAtRequest = -1; // frames rendered when a screen asked for the picture
};

} // namespace msg_shot

#endif
