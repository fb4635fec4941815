/*
 * The round confirmation popups with one or two buttons, the toasts that go
 * away by themselves, and the request that asks the system popup service to
 * show a message outside the application. Main loop only.
 */
#ifndef MSG_APP_COMMON_POPUP_MCOMMONPOPUP_H
#define MSG_APP_COMMON_POPUP_MCOMMONPOPUP_H

#include "view_kit/WPopupController.h"
#include "view_kit/WTimer.h"

#include <functional>
#include <memory>
#include <string>

namespace msg_app {

class MCommonPopup : public view_kit::WPopupController {
public:
    enum IconType {
        NONE = 0,
        SENT_SUCCESS = 1,
        SENT_FAILED = 2,
        SHOW_DEVICE = 3,
        SHOW_ON_DEVICE_FAIL = 4,
        MEMORY_FULL = 5,
    };

    using ContentCb = std::function<Evas_Object*(Evas_Object* parent)>;
    using ButtonCb = std::function<void(void* data, bool* destroyPopup)>;
    using DestroyCb = std::function<void(void* data, const Evas_Object* popup)>;

    static constexpr double TOAST_POPUP_TIMEOUT = 2.0;
    static constexpr const char* SYSTEM_POPUP_APP_ID = "com.vorlane.msg-popup";

    // Without a cancel callback the popup has a single OK button.
    static MCommonPopup* createOkCancelPopup(const char* title, const char* text, ButtonCb okCb,
                                             ButtonCb cancelCb, ButtonCb backCb, DestroyCb destroyCb,
                                             void* data);
    static MCommonPopup* createOkCancelPopup(const char* title, ContentCb content, ButtonCb okCb,
                                             ButtonCb cancelCb, ButtonCb backCb, DestroyCb destroyCb,
                                             void* data);
    static MCommonPopup* createToastPopup(const char* text, DestroyCb destroyCb, void* data,
                                          double timeout = TOAST_POPUP_TIMEOUT, IconType icon = NONE);
    // A toast of its own on `parent`, shown at once; false, with a log line, when it cannot be made.
    static bool showToast(Evas_Object* parent, const char* textId);
    // The same once the main loop is idle (`idler` holds the pending turn; its owner destroys it
    // before `parent` goes): a toast shown over a popup being destroyed would take the focus under
    // it, and touch it, gone, when the toast closes.
    static void showToastWhenIdle(Evas_Object* parent, const char* textId,
                                  std::weak_ptr<view_kit::WTimer>& idler);
    // Asks the system popup application to show the text; no popup object of ours.
    static bool launchPopup(const char* textId, IconType icon);

    // The toast style of an icon, and the image key the system popup gets for it (null: none).
    static const char* getToastStyle(IconType icon);
    static const char* getImageKey(IconType icon);

    ~MCommonPopup() override;

protected:
    void onDestroy() override;

private:
    MCommonPopup();

    void _setOkCancelHooks();
    void _setToastHooks();
    void _addOkCancelProperties(Evas_Object* popup);
    Evas_Object* _createOkCancelContent(Evas_Object* parent);
    void _addButtons();
    void _setButtonAccess(Evas_Object* button, const char* nameId);
    void _addToastProperties(Evas_Object* popup);
    void _runButton(const ButtonCb& cb, bool* destroyPopup);
    static void _toastDismissCb(void* data, Evas_Object* obj, void* eventInfo);

    double _timeout = 0.0;
    std::string _title;
    std::string _text;
    IconType _iconType = NONE;
    ContentCb _contentCb;
    ButtonCb _cancelCb;
    ButtonCb _okCb;
    DestroyCb _destroyCb;
    ButtonCb _backCb;
    void* _userData = nullptr;
};

} // namespace msg_app

#endif
