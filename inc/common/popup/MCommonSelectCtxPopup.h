/*
 * The small context popup of selection mode that offers to select or
 * deselect every item. Main loop only.
 */
#ifndef MSG_APP_COMMON_POPUP_MCOMMONSELECTCTXPOPUP_H
#define MSG_APP_COMMON_POPUP_MCOMMONSELECTCTXPOPUP_H

#include "view_kit/WViewController.h"

#include <functional>

namespace msg_app {

class MCommonSelectCtxPopup : public view_kit::WViewController {
public:
    MCommonSelectCtxPopup();
    ~MCommonSelectCtxPopup() override;

    // An item is offered only for a callback that is set.
    void setSelectAllItemCb(const std::function<void()>& cb);
    void setDeselectAllItemCb(const std::function<void()>& cb);

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onCreated() override;
    void onDestroy() override;

private:
    Elm_Object_Item* _appendItem(Evas_Object* ctxpopup, const char* textId, Evas_Smart_Cb cb);
    static void _runItem(void* data, Evas_Object* obj, std::function<void()> MCommonSelectCtxPopup::*cb);
    static void _selectAllClickedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _deselectAllClickedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _dismissedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _hideCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);

    std::function<void()> _selectAllCb;
    std::function<void()> _deselectAllCb;
};

} // namespace msg_app

#endif
