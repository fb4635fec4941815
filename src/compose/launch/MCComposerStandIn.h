/*
 * The page a new message opens until the composer is built: the composer's
 * title and a note that writing is not available yet. The back key closes it.
 */
#ifndef MSG_APP_COMPOSE_LAUNCH_MCCOMPOSERSTANDIN_H
#define MSG_APP_COMPOSE_LAUNCH_MCCOMPOSERSTANDIN_H

#include "view_kit/WContentViewController.h"

namespace msg_app {
namespace compose {

class MCComposerStandIn : public view_kit::WContentViewController {
public:
    static constexpr const char* TITLE_ID = "WDS_MSG_OPT_NEW_MESSAGE_ABB";
    static constexpr const char* NOTE_ID = "WDS_MSG_BODY_NOT_AVAILABLE_YET_ABB";

    const char* getClassName() const override { return "MCComposerStandIn"; }

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
};

} // namespace compose
} // namespace msg_app

#endif
