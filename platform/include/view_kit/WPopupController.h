#ifndef VIEW_KIT_WPOPUPCONTROLLER_H
#define VIEW_KIT_WPOPUPCONTROLLER_H

#include "view_kit/WJob.h"
#include "view_kit/WViewController.h"

#include <functional>
#include <string>
#include <vector>

namespace view_kit {

// An Elementary popup put together from hooks. A button or back-key callback
// that sets its flag closes the popup (after the callback returns); a button
// without a callback, and the back key without setOnBack, just close it.
class WPopupController : public WViewController {
public:
    using DestroyFlagCb = std::function<void(bool* destroyPopup)>;

    WPopupController();
    const char* getClassName() const override;
    bool create(Evas_Object* parent, void* param) override;

    void setContent(std::function<Evas_Object*(Evas_Object* parent)> content);
    void setOnAddProperties(std::function<void(Evas_Object* popup)> onAddProperties);
    void setOnBack(DestroyFlagCb onBack);
    // Up to three buttons; onAdd may style the new button.
    bool addButton(const char* text, DestroyFlagCb onClicked,
                   std::function<void(Evas_Object* button)> onAdd = nullptr);

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onDestroy() override;

private:
    struct Button {
        std::string text;
        DestroyFlagCb onClicked;
        std::function<void(Evas_Object*)> onAdd;
    };

    void _addButtonObject(size_t index);
    void _run(const DestroyFlagCb& cb);
    static void _buttonClickedCb(void* data, Evas_Object* obj, void* info);
    static void _backCb(void* data, Evas_Object* obj, void* info);

    std::function<Evas_Object*(Evas_Object*)> _content;
    std::function<void(Evas_Object*)> _onAddProperties;
    DestroyFlagCb _onBack;
    std::vector<Button> _buttons;
    WJob _closeJob;
};

} // namespace view_kit

#endif
