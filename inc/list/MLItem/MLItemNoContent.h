/*
 * The placeholder row of an empty list.
 */
#ifndef MSG_APP_LIST_MLITEM_MLITEMNOCONTENT_H
#define MSG_APP_LIST_MLITEM_MLITEMNOCONTENT_H

#include "list/MLItem/MLItemFixed.h"

namespace msg_app {
namespace msg_list {

class MLItemNoContent : public MLItemFixed {
public:
    MLItemNoContent();
    Type getType() const override { return NO_CONTENT; }
    void onSetElmObjectItem(Elm_Object_Item* item) override;
};

} // namespace msg_list
} // namespace msg_app

#endif
