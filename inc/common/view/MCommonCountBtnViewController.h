/*
 * The round button at the top of selection mode: how many items are selected,
 * and a tap opens the select/deselect popup. Main loop only.
 */
#ifndef MSG_APP_COMMON_VIEW_MCOMMONCOUNTBTNVIEWCONTROLLER_H
#define MSG_APP_COMMON_VIEW_MCOMMONCOUNTBTNVIEWCONTROLLER_H

#include "view_kit/WViewController.h"

#include <functional>

namespace msg_app {

class MCommonCountBtnViewController : public view_kit::WViewController {
public:
    MCommonCountBtnViewController();
    ~MCommonCountBtnViewController() override;

    void setClickedCb(const std::function<void()>& cb);
    void setCount(int count);
    int getCount() const { return _count; }
    // Shows the count in the locale's digits.
    void show() const;

protected:
    // The button goes into the parent layout's "elm.swallow.icon".
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;

private:
    static void _buttonClickedCb(void* data, Evas_Object* obj, void* eventInfo);

    int _count = 0;
    std::function<void()> _onClicked;
};

} // namespace msg_app

#endif
