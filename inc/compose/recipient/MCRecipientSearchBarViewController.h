/*
 * The best match of what is typed as a recipient, above the entry: a bar
 * with the match and a button to take it, or the button alone. It searches
 * 0.4 seconds after the last keystroke, contacts first, then the call log,
 * and offers the typed number itself when nothing matches.
 */
#ifndef MSG_APP_COMPOSE_MCRECIPIENTSEARCHBARVIEWCONTROLLER_H
#define MSG_APP_COMPOSE_MCRECIPIENTSEARCHBARVIEWCONTROLLER_H

#include "view_kit/WTimer.h"
#include "view_kit/WViewController.h"

#include <functional>
#include <memory>
#include <string>

namespace msg_app {
namespace compose {

enum class RcptSearchBarStyle : int {
    NONE = 0,
    BAR = 1,
    BUTTON = 2,
};

class MCRecipientSearchBarViewController : public view_kit::WViewController {
public:
    static constexpr double SEARCH_DELAY = 0.4;
    enum ButtonIcon : int {
        ICON_NONE = 0,
        ICON_PLUS = 1,  // a match from contacts or the call log
        ICON_ARROW = 2, // the typed number itself
    };

    explicit MCRecipientSearchBarViewController(RcptSearchBarStyle style);
    ~MCRecipientSearchBarViewController() override;

    const char* getClassName() const override { return "MCRecipientSearchBarViewController"; }
    bool show();
    bool hide();
    void switchStyle(RcptSearchBarStyle style);
    RcptSearchBarStyle getStyle() const { return _style; }
    bool hasSearchResult() const { return !_searchedAddress.empty(); }
    // Searches keyword SEARCH_DELAY after the last call; empty hides the bar.
    void search(const char* keyword);
    void cancel();

    // What the bar offers: a contact's name (empty for a number alone) and the number.
    const std::string& getSearchedName() const { return _searchedName; }
    const std::string& getSearchedAddress() const { return _searchedAddress; }
    ButtonIcon getButtonIcon() const { return _icon; }
    // How many searches ran; the store is asked once per search.
    int getSearchCount() const { return _searchCount; }

    void setOnSelectNumber(std::function<void(const char*)> cb) { _onSelect = std::move(cb); }
    void setOnButtonClicked(std::function<void()> cb) { _onButton = std::move(cb); }
    void setOnShow(std::function<bool(RcptSearchBarStyle, Evas_Object*)> cb) { _onShow = std::move(cb); }
    void setOnHide(std::function<bool(RcptSearchBarStyle)> cb) { _onHide = std::move(cb); }

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onDestroy() override;

private:
    void _doSearch();
    bool _findInContacts();
    bool _findInLog();
    void _showResult();
    void _setButtonIcon(ButtonIcon icon);
    void _select();
    static void _barClickedCb(void* data, Evas_Object* obj, const char* emission, const char* source);
    static void _buttonClickedCb(void* data, Evas_Object* obj, void* eventInfo);

    RcptSearchBarStyle _style;
    std::string _keyword;
    std::string _searchedName;
    std::string _searchedAddress;
    ButtonIcon _icon = ICON_NONE;
    // The screen reader was on when the bar was built: the bar and its button are then named.
    bool _readerOn = false;
    Evas_Object* _button = nullptr;
    bool _visible = false;
    int _searchCount = 0;
    std::weak_ptr<view_kit::WTimer> _timer;
    std::function<void(const char*)> _onSelect;
    std::function<void()> _onButton;
    std::function<bool(RcptSearchBarStyle, Evas_Object*)> _onShow;
    std::function<bool(RcptSearchBarStyle)> _onHide;
};

} // namespace compose
} // namespace msg_app

#endif
