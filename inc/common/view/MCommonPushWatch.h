/*
 * Waits for a naviframe to finish bringing one page in, then tells its owner
 * once. The transition of another page (one pushed over it) does not count.
 * Stopping the watch, destroying it or the naviframe going first disconnects
 * it. Main loop only.
 */
#ifndef MSG_APP_COMMON_VIEW_MCOMMONPUSHWATCH_H
#define MSG_APP_COMMON_VIEW_MCOMMONPUSHWATCH_H

#include <Elementary.h>

#include <functional>

namespace msg_app {

class MCommonPushWatch {
public:
    using FinishedCb = std::function<void()>;

    MCommonPushWatch() = default;
    ~MCommonPushWatch();
    MCommonPushWatch(const MCommonPushWatch&) = delete;
    MCommonPushWatch& operator=(const MCommonPushWatch&) = delete;

    // Watches the naviframe of naviItem until naviItem's transition finishes; a watch already
    // running is replaced. False when the item has no naviframe.
    bool watch(Elm_Object_Item* naviItem, FinishedCb onFinished);
    void stop();
    bool isWatching() const { return _naviframe != nullptr; }

private:
    static void _transitionFinishedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _naviframeDelCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);

    Evas_Object* _naviframe = nullptr;
    Elm_Object_Item* _naviItem = nullptr;
    FinishedCb _onFinished;
};

} // namespace msg_app

#endif
