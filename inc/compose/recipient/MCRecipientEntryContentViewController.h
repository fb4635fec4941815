/*
 * The full-screen entry of one recipient: a number or a name. Typing offers
 * the best match from contacts and the call log; Done lists every match. On
 * leaving, the page reports its text (or the chosen number) once.
 */
#ifndef MSG_APP_COMPOSE_MCRECIPIENTENTRYCONTENTVIEWCONTROLLER_H
#define MSG_APP_COMPOSE_MCRECIPIENTENTRYCONTENTVIEWCONTROLLER_H

#include "compose/recipient/MCRecipientSearchBarViewController.h"
#include "view_kit/WContentViewController.h"
#include "view_kit/WJob.h"

#include <Ecore_IMF.h>

#include <functional>
#include <memory>
#include <string>

namespace msg_app {
namespace compose {

class MCRecipientEntryContentViewController : public view_kit::WContentViewController {
public:
    static constexpr const char* NAME = "compose_rcpt_input";
    static constexpr const char* MAX_CHARS_ID = "IDS_MSGF_POP_MAXIMUM_CHARACTERS";
    static constexpr const char* ENTER_DIGITS_ID = "WDS_MSG_TPOP_ENTER_3_OR_MORE_DIGITS_ABB";
    static constexpr const char* ENTER_LETTERS_ID = "WDS_MSG_TPOP_ENTER_2_OR_MORE_LETTERS_ABB";
    static constexpr const char* INVALID_RECIPIENT_ID = "WDS_MSG_TPOP_INVALID_RECIPIENT_M_ENTER";
    // Input panel heights: with and without the prediction row.
    static constexpr int PANEL_HEIGHT_PREDICTION = 290;
    static constexpr int PANEL_HEIGHT_PLAIN = 240;

    MCRecipientEntryContentViewController();

    const char* getClassName() const override { return "MCRecipientEntryContentViewController"; }
    void setAddr(const char* address);
    void setOnSaveAddr(std::function<void(const char*)> cb) { _onSave = std::move(cb); }
    // The entry while the page lives, else null.
    Evas_Object* getEntry() const { return _entry; }
    // The best match offered above the entry, while the page lives.
    std::shared_ptr<MCRecipientSearchBarViewController> getSearchBar() const { return _searchBar.lock(); }
    // The characters the carrier allows in a recipient; 0 for no limit.
    static int getMaxLength();

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onCreated() override;
    void onPushed(Elm_Object_Item* naviItem) override;
    bool onPop() override;
    void onDestroy() override;

private:
    Evas_Object* _createEntry(Evas_Object* parent);
    void _createSearchBar();
    void _setSearchBarStyle(RcptSearchBarStyle style);
    void _openSearchList(const std::string& keyword);
    void _onTextChanged();
    void _onEntryActivatedCb();
    void _onPanelGeometry(Ecore_IMF_Context* ctx);
    void _onPanelState(int state);
    void _commit(const std::string& address);
    void _showToast(const char* textId);
    static void _separatorFilterCb(void* data, Evas_Object* entry, char** text);
    static void _changedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _activatedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _maxLengthCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _panelGeometryCb(void* data, Ecore_IMF_Context* ctx, int value);
    static void _panelStateCb(void* data, Ecore_IMF_Context* ctx, int value);

    Evas_Object* _layout = nullptr;
    Evas_Object* _entry = nullptr;
    Ecore_IMF_Context* _imf = nullptr;
    Elm_Entry_Filter_Limit_Size _limit{};
    view_kit::WJob _popOutJob;
    std::weak_ptr<MCRecipientSearchBarViewController> _searchBar;
    std::string _address;
    bool _leaving = false;
    bool _committed = false; // _address holds what a separator or a chosen number ended
    std::function<void(const char*)> _onSave;
};

} // namespace compose
} // namespace msg_app

#endif
