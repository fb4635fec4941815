#ifndef MSG_APP_SHELL_DEMOSCREEN_H
#define MSG_APP_SHELL_DEMOSCREEN_H

#include "view_kit/WContentViewController.h"

#include <efl_extension.h>

namespace msg_app {
namespace shell {

// The framework's demo page: a circle list inside the more-option panel,
// with options and a round popup. Feature screens take its place.
class DemoScreen : public view_kit::WContentViewController {
public:
    // What the screen shows once created: the list, or also its options or popup.
    enum class Start { LIST, OPTIONS, POPUP };

    explicit DemoScreen(Start start = Start::LIST);
    const char* getClassName() const override;

    Evas_Object* getGenlist() const { return _genlist; }
    Evas_Object* getMoreOption() const { return _moreOption; }
    Evas_Object* getCircleObject() const { return _circle; }
    void showPopup();

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onCreated() override;
    void onBecomeTop() override;
    void onDestroy() override;

private:
    void _appendItems();
    void _appendOption(const char* text, const char* subText, const char* icon);
    static void _optionClickedCb(void* data, Evas_Object* obj, void* info);
    static void _objDelCb(void* data, Evas* e, Evas_Object* obj, void* info);

    Evas_Object* _moreOption = nullptr;
    Evas_Object* _genlist = nullptr;
    Evas_Object* _circle = nullptr;
    Start _start;
};

} // namespace shell
} // namespace msg_app

#endif
