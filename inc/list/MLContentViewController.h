/*
 * The list screen: its layout holds the option panel, which holds the list
 * (or, for an empty blocked list, the empty-state view). The panel's entries
 * follow the list's state; back leaves a mode of the list first.
 */
#ifndef MSG_APP_LIST_MLCONTENTVIEWCONTROLLER_H
#define MSG_APP_LIST_MLCONTENTVIEWCONTROLLER_H

#include "list/MLListTypes.h"
#include "list/MLListViewController.h"
#include "view_kit/WContentViewController.h"

#include <memory>
#include <vector>

namespace msg_app {

class MCommonMoreOptionViewController;
class MCommonNoItemViewController;

namespace msg_list {

class MLContentViewController : public view_kit::WContentViewController {
public:
    explicit MLContentViewController(ListType listType);
    ~MLContentViewController() override;

    const char* getClassName() const override { return "MLContentViewController"; }
    ListType getListType() const { return _listType; }
    // The screen's parts, for the shell and its screens; expired before creation or after a failure.
    std::weak_ptr<MLListViewController> getListView() const { return _listWptr; }
    std::weak_ptr<MCommonMoreOptionViewController> getMoreOption() const { return _optionWptr; }
    // True while the empty-state view stands in for the list.
    bool isShowingNoItem() const;

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onCreated() override;
    void onDestroy() override;
    void onPushed(Elm_Object_Item* naviItem) override;
    bool onPop() override;

private:
    bool _createMoreOption(Evas_Object* layout);
    bool _createListView();
    void _switchContent();
    void _updateMoreOption();
    void _appendOption(MoreOption option);
    void _onListEventListenerCb(MLListViewController::Event ev);
    void _onNewMessageClicked();
    void _onDeleteClicked();
    void _onRestoreClicked();

    const ListType _listType;
    // The list until its view exists; from then on its view owns it.
    MLListViewController* _unownedList = nullptr;
    std::weak_ptr<MLListViewController> _listWptr;
    std::weak_ptr<MCommonMoreOptionViewController> _optionWptr;
    std::weak_ptr<MCommonNoItemViewController> _noMsgWptr;
    // What the menu offers now, so that a change of the rows that leaves it as it is does not
    // rebuild it under the user's finger.
    std::vector<MoreOption> _shownOptions;
};

} // namespace msg_list
} // namespace msg_app

#endif
