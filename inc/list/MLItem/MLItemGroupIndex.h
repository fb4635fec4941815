/*
 * The heading above the conversations.
 */
#ifndef MSG_APP_LIST_MLITEM_MLITEMGROUPINDEX_H
#define MSG_APP_LIST_MLITEM_MLITEMGROUPINDEX_H

#include "list/MLItem/MLItemFixed.h"

namespace msg_app {
namespace msg_list {

class MLItemGroupIndex : public MLItemFixed {
public:
    MLItemGroupIndex();
    Type getType() const override { return GROUP_INDEX; }
    void onSetElmObjectItem(Elm_Object_Item* item) override;
};

} // namespace msg_list
} // namespace msg_app

#endif
