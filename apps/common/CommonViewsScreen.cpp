#include "CommonViewsScreen.h"

#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "common/popup/MCommonProgressPopup.h"
#include "common/popup/MCommonSelectCtxPopup.h"
#include "common/view/MCommonCountBtnViewController.h"
#include "common/view/MCommonMoreOptionViewController.h"
#include "common/view/MCommonNoItemViewController.h"
#include "view_kit/WTimer.h"

namespace msg_app {
namespace shell {

namespace {

// Long enough to be looked at; the screens use the standard timeout.
constexpr double SHOWCASE_TOAST_TIMEOUT = 30.0;
constexpr double SELECT_POPUP_DELAY = 0.3;

MCommonNoItemViewController::Type noItemType(CommonViewsScreen::Show show) {
    switch (show) {
    case CommonViewsScreen::Show::NO_BLOCKED_MESSAGES:
        return MCommonNoItemViewController::BLOCKED_MESSAGES;
    case CommonViewsScreen::Show::NO_BLOCKED_NUMBERS:
        return MCommonNoItemViewController::BLOCKED_NUMBERS;
    default:
        return MCommonNoItemViewController::MESSAGES;
    }
}

} // namespace

CommonViewsScreen::CommonViewsScreen(Show show) : _show(show) {
    setName("CommonViewsScreen");
}

const char* CommonViewsScreen::getClassName() const {
    return "CommonViewsScreen";
}

// The selection-mode header: content below, the count button sliding in at the top.
Evas_Object* CommonViewsScreen::onCreateView(Evas_Object* parent, void*) {
    Evas_Object* layout = elm_layout_add(parent);
    MSG_RETV_IF(!layout, nullptr, "layout is null");
    elm_layout_theme_set(layout, "layout", "select_mode", "default");
    evas_object_size_hint_weight_set(layout, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    return layout;
}

void CommonViewsScreen::onCreated() {
    switch (_show) {
    case Show::OK_POPUP:
        attachPopup(MCommonPopup::createOkCancelPopup("WDS_MSG_OPT_DELETE_ABB",
                                                      "WDS_MSG_NPBODY_NO_MESSAGES_ABB", nullptr, nullptr,
                                                      nullptr, nullptr, nullptr));
        break;
    case Show::OK_CANCEL_POPUP:
        attachPopup(MCommonPopup::createOkCancelPopup(
            "WDS_MSG_OPT_DELETE_ABB", "WDS_MSG_NPBODY_NO_BLOCKED_MESSAGES_ABB", nullptr,
            [](void*, bool* destroyPopup) { *destroyPopup = true; }, nullptr, nullptr, nullptr));
        break;
    case Show::TOAST:
    case Show::TOAST_CHECK:
        attachPopup(MCommonPopup::createToastPopup(
            "WDS_TPLATFORM_TPOP_SELECT_ITEMS", nullptr, nullptr, SHOWCASE_TOAST_TIMEOUT,
            _show == Show::TOAST_CHECK ? MCommonPopup::SENT_SUCCESS : MCommonPopup::NONE));
        break;
    case Show::PROGRESS_FULL:
    case Show::PROGRESS_SENDING:
        attachPopup(MCommonProgressPopup::createPopup(
            _show == Show::PROGRESS_FULL ? MCommonProgressPopup::FULL : MCommonProgressPopup::SENDING,
            "WDS_MSG_OPT_DELETE_ABB", nullptr, nullptr, nullptr));
        break;
    case Show::SELECT_POPUP:
        _showSelectionMode();
        break;
    case Show::OPTIONS:
        _showOptions();
        break;
    default:
        setPartContent("elm.swallow.content", new MCommonNoItemViewController(noItemType(_show)));
        break;
    }
}

void CommonViewsScreen::_showOptions() {
    auto* more = new MCommonMoreOptionViewController();
    if (!setPartContent("elm.swallow.content", more))
        return;
    more->setContent(new MCommonNoItemViewController(MCommonNoItemViewController::MESSAGES));
    more->appendItem("WDS_MSG_OPT_NEW_MESSAGE_ABB", nullptr, "img/option/compose", nullptr, nullptr);
    more->appendItem("WDS_MSG_OPT_DELETE_ABB", nullptr, "img/option/delete", nullptr, nullptr,
                     MCommonMoreOptionViewController::SELECT_MODE);
    more->open();
}

void CommonViewsScreen::_showSelectionMode() {
    setPartContent("elm.swallow.content",
                   new MCommonNoItemViewController(MCommonNoItemViewController::MESSAGES));
    auto* count = new MCommonCountBtnViewController();
    count->setCount(3);
    if (setPartContent("elm.swallow.icon", count))
        count->show();
    elm_object_signal_emit(getEvasObject(), "select_mode,button,show", "");
    // A context popup dismisses itself when its window is resized, as it is while the first
    // screen settles; the user opens it later with a tap anyway.
    std::weak_ptr<view_kit::WViewController> weak = getWeakPtr();
    view_kit::WTimer::addTimer(
        SELECT_POPUP_DELAY,
        [weak](void*) {
            auto self = weak.lock();
            if (!self)
                return false;
            auto* popup = new MCommonSelectCtxPopup();
            popup->setSelectAllItemCb([] {});
            popup->setDeselectAllItemCb([] {});
            self->attachPopup(popup);
            return false;
        },
        nullptr);
}

} // namespace shell
} // namespace msg_app
