/*
 * Keeps a place of a conversation where it was shown while the rows around it are measured: its
 * end in the middle of the circle as it opens, or the bubble being read at the top after a change
 * built the page again. The genlist places a row it is asked to show by the heights it knows at
 * that moment; on a slow machine it measures the rows above afterwards, and the place slides
 * towards the edge. While held, every frame that moved the list shows the place again; a frame
 * that moved nothing, a finger on the list or a turn of the bezel lets go. Main loop only.
 */
#ifndef MSG_APP_VIEWER_MVPLACEHOLD_H
#define MSG_APP_VIEWER_MVPLACEHOLD_H

#include <Elementary.h>
#include <efl_extension.h>

#include "view_kit/WFrameWait.h"

#include <functional>

namespace msg_app {
namespace msg_viewer {

class MVPlaceHold {
public:
    explicit MVPlaceHold(Evas_Object* genlist);
    ~MVPlaceHold();
    MVPlaceHold(const MVPlaceHold&) = delete;
    MVPlaceHold& operator=(const MVPlaceHold&) = delete;

    // Holds the place `show` shows from now until the list settles or the user takes it; a place
    // held before is let go.
    void start(std::function<void()> show);
    void stop();
    bool isHeld() const { return _frame.isWaiting(); }

private:
    // Rows that keep changing their heights get the place shown this many times, no more.
    static constexpr int MAX_FRAMES = 20;
    // Sees every detent before whatever may take it.
    static constexpr int ROTARY_PRIORITY = -200;

    // Every frame while held, the wait started again before anything else.
    void _awaitFrame();
    void _onFrame();
    static void _mouseDownCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);
    static void _genlistDelCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);
    static Eina_Bool _rotaryCb(void* data, Evas_Object* obj, Eext_Rotary_Event_Info* info);

    Evas_Object* _genlist;
    std::function<void()> _show;
    view_kit::WFrameWait _frame;
    int _lastY = -1;
    int _lastHeight = -1;
    int _frames = 0;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
