#include "compose/recipient/MCRecipientEntryContentViewController.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "compose/MCUiHelper.h"
#include "compose/MCUtil.h"
#include "compose/recipient/MCRecipientSearch.h"
#include "compose/recipient/MCRecipientSearchBarViewController.h"
#include "compose/recipient/MCRecipientSearchListContentViewController.h"
#include "view_kit/WNaviframeController.h"

#include <cstdlib>
#include <cstring>

namespace msg_app {
namespace compose {

namespace {

constexpr const char* SEPARATORS = ",;";
constexpr const char* COLOR_CODE = "AT0111";
constexpr const char* FONT_CODE = "AT013";

std::string toUtf8(const char* markup) {
    char* utf8 = elm_entry_markup_to_utf8(markup ? markup : "");
    std::string text = utf8 ? utf8 : "";
    free(utf8);
    return text;
}

std::string toMarkup(const std::string& text) {
    char* markup = elm_entry_utf8_to_markup(text.c_str());
    std::string out = markup ? markup : "";
    free(markup);
    return out;
}

} // namespace

MCRecipientEntryContentViewController::MCRecipientEntryContentViewController() {
    setName(NAME);
}

int MCRecipientEntryContentViewController::getMaxLength() {
    std::string code;
    if (!common_util::get_sales_code(code))
        return 0;
    if (code == "SKC" || code == "SKO" || code == "KTC" || code == "KTO")
        return 20;
    if (code == "LUC" || code == "LUO")
        return 32;
    return 0;
}

void MCRecipientEntryContentViewController::setAddr(const char* address) {
    _address = address ? address : "";
    std::string normalized;
    if (MCUtil::isValidPhoneNumber(_address.c_str(), false) &&
        common_util::make_normalized_number(_address.c_str(), normalized) && !normalized.empty())
        _address = normalized;
    if (_entry) {
        elm_entry_entry_set(_entry, toMarkup(common_ui_helper::to_layout_safe(_address)).c_str());
        elm_entry_cursor_end_set(_entry);
    }
}

Evas_Object* MCRecipientEntryContentViewController::onCreateView(Evas_Object* parent, void* /*param*/) {
    _layout = MCUiHelper::createCustomLayout(parent, "composer/recipient/entry");
    MSG_RETV_IF(!_layout, nullptr, "layout is nullptr");
    _entry = _createEntry(_layout);
    if (!_entry) {
        evas_object_del(_layout);
        _layout = nullptr;
        return nullptr;
    }
    elm_object_part_content_set(_layout, "elm.swallow.entry", _entry);
    setAddr(_address.c_str());
    return _layout;
}

void MCRecipientEntryContentViewController::onCreated() {
    _createSearchBar();
}

void MCRecipientEntryContentViewController::_createSearchBar() {
    auto* bar = new MCRecipientSearchBarViewController(RcptSearchBarStyle::BAR);
    if (!setPartContent("elm.swallow.searchbar", bar)) {
        MSG_LOGE("no search bar");
        return;
    }
    // The bar's part keeps it in place and, swallowed, its visibility too: the layout shows and hides it.
    Evas_Object* layout = _layout;
    bar->setOnShow([layout](RcptSearchBarStyle, Evas_Object*) {
        elm_object_signal_emit(layout, "searchbar,show", "");
        return true;
    });
    bar->setOnHide([layout](RcptSearchBarStyle) {
        elm_object_signal_emit(layout, "searchbar,hide", "");
        return true;
    });
    bar->setOnSelectNumber([this](const char* number) { _commit(number); });
    _searchBar = view_kit::weak_cast<MCRecipientSearchBarViewController>(bar->getWeakPtr());
}

// The panel leaves room for a button beside the entry only; without it the bar fits above.
void MCRecipientEntryContentViewController::_setSearchBarStyle(RcptSearchBarStyle style) {
    auto bar = _searchBar.lock();
    if (!bar || bar->getStyle() == style)
        return;
    bar->switchStyle(style);
    if (bar->hasSearchResult())
        bar->show();
}

void MCRecipientEntryContentViewController::_openSearchList(const std::string& keyword) {
    view_kit::WNaviframeController* naviframe = getNaviframeController();
    MSG_RET_IF(!naviframe, "naviframe is nullptr");
    auto* list = new MCRecipientSearchListContentViewController(keyword.c_str());
    std::weak_ptr<view_kit::WViewController> self = getWeakPtr();
    list->setOnSelectNumber([this, self](const char* number) {
        if (!self.expired())
            _commit(number);
    });
    naviframe->push(list);
}

Evas_Object* MCRecipientEntryContentViewController::_createEntry(Evas_Object* parent) {
    Evas_Object* entry = MCUiHelper::createEntry(parent);
    MSG_RETV_IF(!entry, nullptr, "entry is nullptr");
    elm_entry_single_line_set(entry, EINA_TRUE);
    elm_entry_scrollable_set(entry, EINA_TRUE);
    elm_entry_prediction_allow_set(entry, EINA_FALSE);
    const char imdata[] = "action=disable_emoticons";
    elm_entry_input_panel_imdata_set(entry, imdata, sizeof(imdata) - 1);
    elm_entry_input_panel_return_key_type_set(entry, ELM_INPUT_PANEL_RETURN_KEY_TYPE_DONE);

    elm_entry_text_style_user_push(
        entry, common_ui_helper::theme_text_style(FONT_CODE, COLOR_CODE, "Orvex:style=Regular").c_str());

    // What is typed or pasted goes in safe to lay out; a separator ends the recipient before the
    // size limit sees it.
    elm_entry_markup_filter_append(entry, common_ui_helper::layout_safe_filter_cb, nullptr);
    elm_entry_markup_filter_append(entry, _separatorFilterCb, this);
    _limit.max_char_count = getMaxLength();
    if (_limit.max_char_count > 0)
        elm_entry_markup_filter_append(entry, elm_entry_filter_limit_size, &_limit);

    evas_object_smart_callback_add(entry, "changed", _changedCb, this);
    evas_object_smart_callback_add(entry, "activated", _activatedCb, this);
    evas_object_smart_callback_add(entry, "maxlength,reached", _maxLengthCb, this);
    _imf = static_cast<Ecore_IMF_Context*>(elm_entry_imf_context_get(entry));
    if (_imf) {
        ecore_imf_context_input_panel_event_callback_add(_imf, ECORE_IMF_INPUT_PANEL_GEOMETRY_EVENT,
                                                         _panelGeometryCb, this);
        ecore_imf_context_input_panel_event_callback_add(_imf, ECORE_IMF_INPUT_PANEL_STATE_EVENT,
                                                         _panelStateCb, this);
    } else {
        MSG_LOGW("no input method context");
    }
    return entry;
}

void MCRecipientEntryContentViewController::onPushed(Elm_Object_Item* /*naviItem*/) {
    if (_entry)
        elm_object_focus_set(_entry, EINA_TRUE);
}

bool MCRecipientEntryContentViewController::onPop() {
    if (_leaving)
        return true;
    _leaving = true;
    // The entry's change notice comes later than a quick back; what is shown is what is saved.
    if (!_committed && _entry)
        _address = toUtf8(elm_entry_entry_get(_entry));
    if (auto bar = _searchBar.lock())
        bar->cancel();
    if (_onSave)
        _onSave(_address.c_str());
    return true;
}

void MCRecipientEntryContentViewController::_commit(const std::string& address) {
    _address = address;
    _committed = true;
    if (_popOutJob.isPending() || _leaving)
        return;
    // Not from inside the entry's own callback, which still uses the entry.
    _popOutJob.start([this] { popOut(); });
}

void MCRecipientEntryContentViewController::_onTextChanged() {
    _address = toUtf8(elm_entry_entry_get(_entry));
    auto bar = _searchBar.lock();
    if (!bar)
        return;
    if (MCRecipientSearch::getRange(_address.c_str()) != MCRecipientSearch::Range::NONE) {
        bar->search(_address.c_str());
    } else {
        bar->cancel();
        bar->hide();
    }
}

void MCRecipientEntryContentViewController::_onEntryActivatedCb() {
    std::string text = toUtf8(elm_entry_entry_get(_entry));
    if (MCRecipientSearch::getRange(text.c_str()) != MCRecipientSearch::Range::NONE) {
        if (auto bar = _searchBar.lock())
            bar->cancel();
        _openSearchList(text);
        return;
    }
    _showToast(MCUtil::isValidPhoneNumber(text.c_str(), false) ? ENTER_DIGITS_ID : ENTER_LETTERS_ID);
}

void MCRecipientEntryContentViewController::_onPanelGeometry(Ecore_IMF_Context* ctx) {
    int x = 0, y = 0, w = 0, h = 0;
    ecore_imf_context_input_panel_geometry_get(ctx, &x, &y, &w, &h);
    MSG_LOGD("input panel geometry : %d %d %d %d", x, y, w, h);
    if (h == PANEL_HEIGHT_PREDICTION)
        elm_object_signal_emit(_layout, "prediction,on,layout", "");
    else if (h == PANEL_HEIGHT_PLAIN)
        elm_object_signal_emit(_layout, "prediction,off,layout", "");
    else
        return;
    _setSearchBarStyle(RcptSearchBarStyle::BUTTON);
}

void MCRecipientEntryContentViewController::_onPanelState(int state) {
    if (state != ECORE_IMF_INPUT_PANEL_STATE_HIDE)
        return;
    elm_object_signal_emit(_layout, "panel,hidden,layout", "");
    _setSearchBarStyle(RcptSearchBarStyle::BAR);
}

void MCRecipientEntryContentViewController::_showToast(const char* textId) {
    attachPopup(MCommonPopup::createToastPopup(textId, nullptr, nullptr));
}

// Typing "," or ";" ends the recipient; a pasted list of several is refused as a whole, so that
// what the user sees is what is sent.
void MCRecipientEntryContentViewController::_separatorFilterCb(void* data, Evas_Object* /*entry*/,
                                                               char** text) {
    if (!text || !*text)
        return;
    std::string inserted = toUtf8(*text);
    size_t first = inserted.find_first_of(SEPARATORS);
    if (first == std::string::npos)
        return;
    auto* self = static_cast<MCRecipientEntryContentViewController*>(data);
    size_t lastKept = inserted.find_last_not_of(SEPARATORS);
    if (lastKept != std::string::npos && first < lastKept) {
        MSG_LOGW("several recipients pasted; refused");
        free(*text);
        *text = nullptr;
        self->_showToast(INVALID_RECIPIENT_ID);
        return;
    }
    std::string kept = toMarkup(inserted.substr(0, first));
    free(*text);
    *text = kept.empty() ? nullptr : strdup(kept.c_str());
    std::string current = toUtf8(elm_entry_entry_get(self->_entry)) + inserted.substr(0, first);
    self->_commit(current);
}

void MCRecipientEntryContentViewController::_changedCb(void* data, Evas_Object* /*obj*/,
                                                       void* /*eventInfo*/) {
    static_cast<MCRecipientEntryContentViewController*>(data)->_onTextChanged();
}

void MCRecipientEntryContentViewController::_activatedCb(void* data, Evas_Object* /*obj*/,
                                                         void* /*eventInfo*/) {
    static_cast<MCRecipientEntryContentViewController*>(data)->_onEntryActivatedCb();
}

void MCRecipientEntryContentViewController::_maxLengthCb(void* data, Evas_Object* /*obj*/,
                                                         void* /*eventInfo*/) {
    static_cast<MCRecipientEntryContentViewController*>(data)->_showToast(MAX_CHARS_ID);
}

void MCRecipientEntryContentViewController::_panelGeometryCb(void* data, Ecore_IMF_Context* ctx,
                                                             int /*value*/) {
    static_cast<MCRecipientEntryContentViewController*>(data)->_onPanelGeometry(ctx);
}

void MCRecipientEntryContentViewController::_panelStateCb(void* data, Ecore_IMF_Context* /*ctx*/, int value) {
    static_cast<MCRecipientEntryContentViewController*>(data)->_onPanelState(value);
}

void MCRecipientEntryContentViewController::onDestroy() {
    // The entry outlives this page by a little while its parent goes; nothing of it may call back.
    if (_imf) {
        ecore_imf_context_input_panel_event_callback_del(_imf, ECORE_IMF_INPUT_PANEL_GEOMETRY_EVENT,
                                                         _panelGeometryCb);
        ecore_imf_context_input_panel_event_callback_del(_imf, ECORE_IMF_INPUT_PANEL_STATE_EVENT,
                                                         _panelStateCb);
        _imf = nullptr;
    }
    if (_entry) {
        evas_object_smart_callback_del_full(_entry, "changed", _changedCb, this);
        evas_object_smart_callback_del_full(_entry, "activated", _activatedCb, this);
        evas_object_smart_callback_del_full(_entry, "maxlength,reached", _maxLengthCb, this);
        elm_entry_markup_filter_remove(_entry, _separatorFilterCb, this);
        elm_entry_markup_filter_remove(_entry, elm_entry_filter_limit_size, &_limit);
        _entry = nullptr;
    }
}

} // namespace compose
} // namespace msg_app
