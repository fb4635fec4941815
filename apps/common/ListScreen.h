/*
 * The conversation list on its own page, for the shell's screen registry until
 * the list screen with its option panel takes its place.
 */
#ifndef MSG_APP_SHELL_LISTSCREEN_H
#define MSG_APP_SHELL_LISTSCREEN_H

#include "list/MLListTypes.h"
#include "view_kit/WContentViewController.h"

namespace msg_app {
namespace shell {

class ListScreen : public view_kit::WContentViewController {
public:
    explicit ListScreen(msg_list::ListType listType);
    const char* getClassName() const override { return "ListScreen"; }

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onCreated() override;

private:
    msg_list::ListType _listType;
};

} // namespace shell
} // namespace msg_app

#endif
