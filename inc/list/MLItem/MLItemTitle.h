/*
 * The screen's title at the top of the circle.
 */
#ifndef MSG_APP_LIST_MLITEM_MLITEMTITLE_H
#define MSG_APP_LIST_MLITEM_MLITEMTITLE_H

#include "list/MLItem/MLItemFixed.h"
#include "list/MLListTypes.h"

namespace msg_app {
namespace msg_list {

class MLItemTitle : public MLItemFixed {
public:
    explicit MLItemTitle(ListType listType);
    Type getType() const override { return TITLE; }
    void onSetElmObjectItem(Elm_Object_Item* item) override;
};

} // namespace msg_list
} // namespace msg_app

#endif
