/*
 * An empty row of the body screen's list that keeps a space of its style's
 * height: room for the send-path buttons above the message, or the circle's
 * narrow top and bottom.
 */
#ifndef MSG_APP_COMPOSE_BODY_MCITEMBODYPADDING_H
#define MSG_APP_COMPOSE_BODY_MCITEMBODYPADDING_H

#include "view_kit/WGenlistItem.h"

namespace msg_app {
namespace compose {

class MCItemBodyPadding : public view_kit::WGenlistItem {
public:
    static constexpr int TYPE = 0;

    // style is one of the theme's padding row styles; it outlives the row.
    explicit MCItemBodyPadding(const char* style) : _style(style) {}

    int getType() const { return TYPE; }
    const char* getStyle() const { return _style; }
    Elm_Genlist_Item_Class* getItemClassNew() override;
    void onSetElmObjectItem(Elm_Object_Item* item) override;

private:
    const char* _style;
};

} // namespace compose
} // namespace msg_app

#endif
