// First: it opens the accessibility API before Elementary is included.
#include "common/popup/AccessApi.h"

#include "compose/recipient/MCRecipientSearchListContentViewController.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "compose/recipient/MCItemRcptSearch.h"
#include "compose/recipient/MCRecipientSearch.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace msg_app {
namespace compose {

namespace {

constexpr const char* HEADER_ID = "WDS_QUIVO_HEADER_SEARCH_RESULTS_ABB";
constexpr const char* ONE_RESULT_ID = "WDS_PB_HEADER_1_RESULT_FOUND_ABB";
constexpr const char* RESULTS_ID = "WDS_PB_HEADER_PD_RESULTS_FOUND_ABB";
constexpr const char* NO_RESULTS_ID = "WDS_PB_TPOP_NO_RESULTS_FOUND";

std::string stringOf(contacts_record_h record, unsigned int property) {
    char* value = nullptr;
    if (contacts_record_get_str_p(record, property, &value) != CONTACTS_ERROR_NONE || !value)
        return std::string();
    return value;
}

int intOf(contacts_record_h record, unsigned int property) {
    int value = 0;
    contacts_record_get_int(record, property, &value);
    return value;
}

// The header's texts: its title and the count of what was found.
class SearchHeaderItem : public view_kit::WGenlistItem {
public:
    explicit SearchHeaderItem(int count) {
        char text[128];
        if (count == 0)
            _count = common_ui_helper::get_text(NO_RESULTS_ID);
        else if (count == 1)
            _count = common_ui_helper::get_text(ONE_RESULT_ID);
        else {
            std::snprintf(text, sizeof(text), common_ui_helper::get_text(RESULTS_ID), count);
            _count = text;
        }
    }
    Elm_Genlist_Item_Class* getItemClassNew() override {
        Elm_Genlist_Item_Class* itc = WGenlistItem::getItemClassNew();
        if (itc) {
            itc->item_style = "composer.search.header";
            itc->func.text_get = _textGetCb;
        }
        return itc;
    }
    void onSetElmObjectItem(Elm_Object_Item* item) override {
        elm_genlist_item_select_mode_set(item, ELM_OBJECT_SELECT_MODE_DISPLAY_ONLY);
        // It heads the matches; a reader reads its title and count as its name.
        if (common_util::is_screen_reader_enabled())
            efl_access_object_role_set(item, EFL_ACCESS_ROLE_HEADING);
    }

private:
    static char* _textGetCb(void* data, Evas_Object*, const char* part) {
        auto* self = static_cast<SearchHeaderItem*>(data);
        if (!part)
            return nullptr;
        if (std::strcmp(part, "elm.text") == 0)
            return strdup(common_ui_helper::get_text(HEADER_ID));
        if (std::strcmp(part, "elm.text.sub") == 0)
            return strdup(self->_count.c_str());
        return nullptr;
    }
    std::string _count;
};

} // namespace

MCRecipientSearchListContentViewController::MCRecipientSearchListContentViewController(const char* keyword)
    : _keyword(keyword ? keyword : "") {
    setName(NAME);
}

MCRecipientSearchListContentViewController::~MCRecipientSearchListContentViewController() {
    view_kit::WTimer::destroy(_appendIdler);
    view_kit::WTimer::destroy(_destroyIdler);
    if (_contacts)
        contacts_list_destroy(_contacts, true);
    if (_logs)
        contacts_list_destroy(_logs, true);
}

bool MCRecipientSearchListContentViewController::onCreate(void* /*param*/) {
    // One contact more than is shown tells that the list was cut; the store is never asked for all.
    int contacts = MCRecipientSearch::searchFromContact(_keyword.c_str(), MAX_CONTACT_ITEMS + 1, &_contacts);
    int logs = MCRecipientSearch::searchFromLog(_keyword.c_str(), MAX_LOG_ITEMS, &_logs);
    MSG_LOGD("searched count : contact[%d], log[%d]", contacts, logs);
    return true;
}

Evas_Object* MCRecipientSearchListContentViewController::onCreateView(Evas_Object* parent, void* /*param*/) {
    _genlist = elm_genlist_add(parent);
    MSG_RETV_IF(!_genlist, nullptr, "genlist is nullptr.");
    elm_genlist_mode_set(_genlist, ELM_LIST_COMPRESS);
    // Rows of one style have one height: sized once, built only when scrolled into view.
    elm_genlist_homogeneous_set(_genlist, EINA_TRUE);
    evas_object_smart_callback_add(_genlist, "selected", _selectedCb, this);
    _appendIdler = view_kit::WTimer::addIdler([this](void*) { return _appendItems(); }, nullptr);
    return _genlist;
}

void MCRecipientSearchListContentViewController::onDestroy() {
    view_kit::WTimer::destroy(_appendIdler);
    view_kit::WTimer::destroy(_destroyIdler);
    if (_genlist)
        evas_object_smart_callback_del_full(_genlist, "selected", _selectedCb, this);
    _genlist = nullptr;
}

bool MCRecipientSearchListContentViewController::_appendItems() {
    MSG_RETV_IF(!_genlist, false, "genlist is nullptr.");
    std::vector<MCItemRcptSearch*> rows;
    _collectContacts(rows);
    _collectLogs(rows);
    wgenlist_item_append(_genlist, nullptr, std::make_unique<SearchHeaderItem>(static_cast<int>(rows.size())),
                         ELM_GENLIST_ITEM_NONE);
    for (MCItemRcptSearch* row : rows) {
        row->setOnGetKeyword([this] { return _keyword.c_str(); });
        if (wgenlist_item_append(_genlist, nullptr, std::unique_ptr<view_kit::WGenlistItem>(row),
                                 ELM_GENLIST_ITEM_NONE))
            ++_shown;
    }
    _built = true;
    return false;
}

// The person-number view lists a person's number once per record; one row per number.
void MCRecipientSearchListContentViewController::_collectContacts(
    std::vector<MCItemRcptSearch*>& rows) const {
    if (!_contacts || contacts_list_first(_contacts) != CONTACTS_ERROR_NONE)
        return;
    int previousPerson = -1;
    std::string previousNumber;
    int listed = 0;
    do {
        contacts_record_h record = nullptr;
        if (contacts_list_get_current_record_p(_contacts, &record) != CONTACTS_ERROR_NONE)
            continue;
        int person = intOf(record, _contacts_person_number.person_id);
        std::string number = stringOf(record, _contacts_person_number.number);
        if (number.empty() || (person == previousPerson && number == previousNumber))
            continue;
        previousPerson = person;
        previousNumber = number;
        std::string name = stringOf(record, _contacts_person_number.display_name);
        rows.push_back(new MCItemRcptSearch(number.c_str(), name.c_str()));
        ++listed;
    } while (listed < MAX_CONTACT_ITEMS && contacts_list_next(_contacts) == CONTACTS_ERROR_NONE);
}

void MCRecipientSearchListContentViewController::_collectLogs(std::vector<MCItemRcptSearch*>& rows) const {
    if (!_logs || contacts_list_first(_logs) != CONTACTS_ERROR_NONE)
        return;
    do {
        contacts_record_h record = nullptr;
        if (contacts_list_get_current_record_p(_logs, &record) != CONTACTS_ERROR_NONE)
            continue;
        std::string number = stringOf(record, _contacts_person_phone_log.address);
        if (!number.empty())
            rows.push_back(new MCItemRcptSearch(number.c_str(), nullptr));
    } while (contacts_list_next(_logs) == CONTACTS_ERROR_NONE);
}

void MCRecipientSearchListContentViewController::_onSelected(Elm_Object_Item* item) {
    if (!_destroyIdler.expired()) {
        MSG_LOGD("_destroyIdler is not expired");
        return;
    }
    MSG_RET_IF(!item, "item is nullptr");
    elm_genlist_item_selected_set(item, EINA_FALSE);
    auto* row =
        dynamic_cast<MCItemRcptSearch*>(static_cast<view_kit::WGenlistItem*>(elm_object_item_data_get(item)));
    MSG_RET_IF(!row || row->getAddress().empty(), "address is empty");
    std::string number = row->getAddress();
    _destroyIdler = view_kit::WTimer::addIdler(
        [this, number](void*) {
            MSG_LOGD("_onDestroyIdlerCb :");
            if (_onSelect)
                _onSelect(number.c_str());
            popOut();
            return false;
        },
        nullptr);
}

void MCRecipientSearchListContentViewController::_selectedCb(void* data, Evas_Object* /*obj*/,
                                                             void* eventInfo) {
    static_cast<MCRecipientSearchListContentViewController*>(data)->_onSelected(
        static_cast<Elm_Object_Item*>(eventInfo));
}

} // namespace compose
} // namespace msg_app
