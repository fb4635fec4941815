/*
 * Select mode of a list screen: the count button at the top and its select-all popup, the bottom
 * button that acts on the checked items, and the progress popup of an action that runs on a worker.
 * The owning controller keeps what is checked and decides what the action does; this part keeps the
 * widgets and their lifetimes, so that every list checks, counts and cancels alike. Main loop only.
 */
#ifndef MSG_APP_COMMON_VIEW_MCOMMONSELECTMODE_H
#define MSG_APP_COMMON_VIEW_MCOMMONSELECTMODE_H

#include "common/popup/MCommonProgressPopup.h"
#include "view_kit/WViewController.h"

#include <functional>
#include <memory>

namespace msg_app {

class MCommonCountBtnViewController;
class MCommonSelectCtxPopup;

class MCommonSelectMode {
public:
    struct Callbacks {
        // The bottom button was tapped.
        std::function<void()> onBottomButton;
        // The count button's popup checks (true) or unchecks (false) every item.
        std::function<void(bool checked)> onCheckAll;
        // How many items there are to check.
        std::function<int()> itemCount;
    };

    // The owner's view takes the bottom button and the popups; the owner outlives this part.
    MCommonSelectMode(view_kit::WViewController& owner, Callbacks callbacks);
    ~MCommonSelectMode();
    MCommonSelectMode(const MCommonSelectMode&) = delete;
    MCommonSelectMode& operator=(const MCommonSelectMode&) = delete;

    // The layout whose "select_mode,button,show|hide" signals slide the count button in and out.
    void setLayout(Evas_Object* selectModeLayout) { _layout = selectModeLayout; }
    bool isOn() const { return _isOn; }

    // Creates the count button and the bottom button (reading textId); false when already on.
    bool enter(const char* bottomTextId);
    // Off first, so that a popup closing below does not bring the owner back here; then every
    // widget of select mode goes, the owner's attached popup with them. False when it was off.
    bool leave();
    // The bottom button reads textId, created on the owner's view if it is not there yet.
    void setBottomButton(const char* textId);
    Evas_Object* getBottomButton() const { return _bottomButton; }
    // The count button's object, or null.
    Evas_Object* getCountButton() const;
    // The count button shows count; the bottom button is disabled at 0.
    void showCount(int count);
    // What the count button shows; -1 outside select mode.
    int getCheckedCount() const;
    // The count button's popup offers what is left to do: select all while some item is not
    // checked, deselect all while one is.
    void showSelectAllPopup();
    // True when a select-all popup was open and is now closed.
    bool closeSelectAllPopup();
    void destroyCountButton();

    // Runs worker behind a progress popup reading textId, which the back key does not close;
    // result gets what the worker notified, and ended runs on the main loop once the popup has
    // gone (not when this part went first). False when one runs already or the popup fails.
    bool runInBackground(const char* textId, MCommonProgressPopup::Worker worker,
                         std::function<void(void* result)> result, std::function<void()> ended);
    bool isBgActionRunning() const { return !_bgActionPopup.expired(); }
    // Closes the progress popup without telling the owner: for an owner that is going.
    void dropBgAction();

private:
    void _createCountButton();
    void _deleteBottomButton();
    void _emit(const char* signal) const;
    static void _bottomButtonClickedCb(void* data, Evas_Object* obj, void* eventInfo);

    view_kit::WViewController& _owner;
    Callbacks _callbacks;
    Evas_Object* _layout = nullptr;
    Evas_Object* _bottomButton = nullptr;
    bool _isOn = false;
    std::weak_ptr<MCommonCountBtnViewController> _countBtn;
    std::weak_ptr<MCommonSelectCtxPopup> _selectCtxPopup;
    std::weak_ptr<MCommonProgressPopup> _bgActionPopup;
    // The progress popup's end reaches this part only while this token lives.
    std::shared_ptr<char> _alive = std::make_shared<char>();
};

} // namespace msg_app

#endif
