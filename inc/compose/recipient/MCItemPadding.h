/*
 * An empty row of a given style that spaces the rows of a composer screen
 * inside the circle.
 */
#ifndef MSG_APP_COMPOSE_MCITEM_MCITEMPADDING_H
#define MSG_APP_COMPOSE_MCITEM_MCITEMPADDING_H

#include "compose/MCItem/MCItem.h"

#include <string>

namespace msg_app {
namespace compose {

class MCItemPadding : public MCItem {
public:
    explicit MCItemPadding(const char* style) : _style(style ? style : "") {}

    Type getType() const override { return PADDING; }
    Elm_Genlist_Item_Class* getItemClassNew() override;
    void onSetElmObjectItem(Elm_Object_Item* item) override;

private:
    std::string _style;
};

} // namespace compose
} // namespace msg_app

#endif
