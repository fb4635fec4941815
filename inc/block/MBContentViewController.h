#ifndef MSG_APP_BLOCK_MBCONTENTVIEWCONTROLLER_H
#define MSG_APP_BLOCK_MBCONTENTVIEWCONTROLLER_H

#include "common/IMCommonAppEventListener.h"
#include "view_kit/WContentViewController.h"

namespace msg_app {
namespace msg_block {

// One message of the spam folder, read-only, with restore and delete in its option menu.
class MBContentViewController : public view_kit::WContentViewController, public IMCommonAppEventListener {
public:
    explicit MBContentViewController(int msgId);
    ~MBContentViewController() override;

    void appEventListener(MCommonAppEventType type) override;

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    bool onPop() override;

private:
    int _msgId;
};

} // namespace msg_block
} // namespace msg_app

#endif
