/*
 * Builds the text widgets of the bubbles the genlist shows once it has settled in the frame being
 * calculated. The genlist realizes rows it drops again in the same calculation (a page put in
 * above lays its rows out where the list stood before it shows the row being read): a text widget
 * built for each of those would be built and deleted for nothing. A bubble realized is queued; an
 * invisible smart object of the canvas is calculated after the genlist, still before the frame is
 * drawn, and builds the widgets of the queued bubbles whose rows are still there. Main loop only.
 */
#ifndef MSG_APP_VIEWER_MVBUBBLELABELQUEUE_H
#define MSG_APP_VIEWER_MVBUBBLELABELQUEUE_H

#include <Elementary.h>

#include <functional>
#include <vector>

namespace msg_app {
namespace msg_viewer {

class MVItemBubble;

class MVBubbleLabelQueue {
public:
    // find: the bubble of a message while its row lives, else null.
    MVBubbleLabelQueue(Evas_Object* genlist, std::function<MVItemBubble*(int msgId)> find);
    ~MVBubbleLabelQueue();
    MVBubbleLabelQueue(const MVBubbleLabelQueue&) = delete;
    MVBubbleLabelQueue& operator=(const MVBubbleLabelQueue&) = delete;

    // The genlist realized the bubble's row: its text widget comes before the frame is drawn.
    void add(int msgId);

private:
    // Builds what is queued now.
    void _flush();
    static void _calculateCb(Evas_Object* hook);
    static void _genlistDelCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);

    Evas_Object* _genlist;
    Evas_Object* _hook = nullptr;
    std::function<MVItemBubble*(int)> _find;
    std::vector<int> _pending;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
