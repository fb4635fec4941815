/*
 * The compose process's page when its request cannot be composed: black, as
 * the watch face behind the popup that says why; closing the popup ends the
 * process.
 */
#ifndef MSG_COMPOSE_COMPOSEREFUSALSCREEN_H
#define MSG_COMPOSE_COMPOSEREFUSALSCREEN_H

#include "view_kit/WContentViewController.h"
#include "view_kit/WJob.h"

#include <functional>

namespace msg_app {
namespace compose {

class ComposeRefusalScreen : public view_kit::WContentViewController {
public:
    // The popup to attach; it ends the process when it goes.
    using PopupFactory = std::function<view_kit::WViewController*()>;

    explicit ComposeRefusalScreen(PopupFactory popup) : _popup(std::move(popup)) {}
    const char* getClassName() const override { return "ComposeRefusalScreen"; }

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onCreated() override;

private:
    PopupFactory _popup;
    view_kit::WJob _showJob;
};

} // namespace compose
} // namespace msg_app

#endif
