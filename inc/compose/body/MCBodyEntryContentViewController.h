/*
 * The full-screen editor of the message text. Every insertion goes through
 * the length filter (one MMS, or one SMS where MMS cannot be sent); a cut
 * tells the user with a toast. The editor hands its text back when it goes.
 */
#ifndef MSG_APP_COMPOSE_BODY_MCBODYENTRYCONTENTVIEWCONTROLLER_H
#define MSG_APP_COMPOSE_BODY_MCBODYENTRYCONTENTVIEWCONTROLLER_H

#include "app_control.h"
#include "compose/MCMsgData.h"
#include "view_kit/WContentViewController.h"
#include "view_kit/WJob.h"

#include <Ecore.h>
#include <Ecore_IMF.h>

#include <functional>
#include <string>

namespace msg_app {
namespace compose {

class MCBodyEntryContentViewController : public view_kit::WContentViewController {
public:
    static constexpr const char* NAME = "compose_body_input";
    static constexpr const char* LAYOUT_GROUP = "composer/body_input";
    static constexpr const char* MAX_CHARACTERS_ID = "IDS_MSGF_POP_MAXIMUM_CHARACTERS";
    // Input panel heights that tell whether its prediction bar shows.
    static constexpr int PANEL_WITH_PREDICTION = 290;
    static constexpr int PANEL_WITHOUT_PREDICTION = 240;

    using EntryCb = std::function<void(Evas_Object* entry)>;

    MCBodyEntryContentViewController(Evas_Object* parent, MsgType msgType, app_control_h handle);
    const char* getClassName() const override { return "MCBodyEntryContentViewController"; }

    void setOnPopSaveEntry(EntryCb cb) { _onPopSaveEntry = std::move(cb); }
    void setOnPopKeypadActivated(EntryCb cb) { _onPopKeypadActivated = std::move(cb); }
    // The text the editor starts with (plain UTF-8) and where its cursor goes (-1: the end).
    void setInitialText(const std::string& text, int cursorPos);

    Evas_Object* getEntry() const { return _entry; }
    MsgType getMsgType() const { return _msgType; }
    // The editor's text as it would be sent.
    std::string getPlainText() const;

protected:
    bool onCreate(void* param) override;
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onPushed(Elm_Object_Item* naviItem) override;
    bool onPop() override;
    void onDestroy() override;

private:
    bool _isOverLimit(const std::string& text) const;
    void _filter(char** text);
    void _onChanged();
    void _setMsgType(MsgType msgType);
    void _showMaxToast();
    void _close();
    void _onPanelGeometry();

    static void _filterCb(void* data, Evas_Object* entry, char** text);
    static void _changedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _keyDownCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);
    static void _panelStateCb(void* data, Ecore_IMF_Context* ctx, int value);
    static void _panelGeometryCb(void* data, Ecore_IMF_Context* ctx, int value);

    MsgType _msgType;
    Evas_Object* _entry = nullptr;
    Evas_Object* _layout = nullptr;
    std::string _initialText;
    int _initialCursor = -1;
    bool _maxToastPending = false;
    bool _reducedLimit = false;
    bool _mmsSupported = false;
    bool _closing = false;
    view_kit::WJob _toastJob;
    EntryCb _onPopSaveEntry;
    EntryCb _onPopKeypadActivated;
};

} // namespace compose
} // namespace msg_app

#endif
