/*
 * Space above the first row, where the circle is too narrow for one.
 */
#ifndef MSG_APP_LIST_MLITEM_MLITEMMARGIN_H
#define MSG_APP_LIST_MLITEM_MLITEMMARGIN_H

#include "list/MLItem/MLItemFixed.h"

namespace msg_app {
namespace msg_list {

class MLItemMargin : public MLItemFixed {
public:
    MLItemMargin();
    Type getType() const override { return MARGIN; }
    void onSetElmObjectItem(Elm_Object_Item* item) override;
};

} // namespace msg_list
} // namespace msg_app

#endif
