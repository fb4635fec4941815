#ifndef VIEW_KIT_WFRAMEWAIT_H
#define VIEW_KIT_WFRAMEWAIT_H

#include <Evas.h>

#include <functional>

namespace view_kit {

// Runs a callback once, after the next frame a canvas draws: for work that would hold up a frame
// the user is waiting for. The hook is gone before the callback runs, so the callback may start
// another wait, stop, or destroy the owner of this object. Destroying it cancels. Main loop only.
class WFrameWait {
public:
    WFrameWait() = default;
    ~WFrameWait();
    WFrameWait(const WFrameWait&) = delete;
    WFrameWait& operator=(const WFrameWait&) = delete;

    // A wait already pending is replaced.
    void start(Evas* canvas, std::function<void()> onFrame);
    // Nothing when no wait is pending.
    void stop();
    bool isWaiting() const { return _canvas != nullptr; }

private:
    static void _frameCb(void* data, Evas* canvas, void* eventInfo);

    // Cleared if the canvas goes while waited on; its hook goes with it.
    Evas* _canvas = nullptr;
    std::function<void()> _onFrame;
};

} // namespace view_kit

#endif
