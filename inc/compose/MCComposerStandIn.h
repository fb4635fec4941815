/*
 * The page a composer opens where a step of it is not built yet: the
 * composer's title and a note of what is not available. The back key closes it.
 */
#ifndef MSG_APP_COMPOSE_MCCOMPOSERSTANDIN_H
#define MSG_APP_COMPOSE_MCCOMPOSERSTANDIN_H

#include "view_kit/WContentViewController.h"

namespace msg_app {
namespace compose {

class MCComposerStandIn : public view_kit::WContentViewController {
public:
    static constexpr const char* TITLE_ID = "WDS_MSG_OPT_NEW_MESSAGE_ABB";
    static constexpr const char* NOTE_ID = "WDS_MSG_BODY_NOT_AVAILABLE_YET_ABB";

    explicit MCComposerStandIn(const char* noteId = NOTE_ID) : _noteId(noteId) {}
    const char* getClassName() const override { return "MCComposerStandIn"; }
    const char* getNoteId() const { return _noteId; }

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;

private:
    const char* _noteId;
};

} // namespace compose
} // namespace msg_app

#endif
