#include "viewer/MVOptionMgr.h"

#include "common/CommonUtil.h"
#include "common/Connectivity.h"
#include "common/DazoLog.h"
#include "common/MCommonMsgSvc.h"
#include "common/MsgLog.h"
#include "common/addr/MCommonAddrMgr.h"
#include "common/view/MCommonMoreOptionViewController.h"
#include "viewer/IMVItemDataProvider.h"
#include "viewer/MVThreadAddress.h"

#include <algorithm>

namespace msg_app {
namespace msg_viewer {

namespace {

constexpr const char* USAGE_FEATURE = "VWMN";

struct Entry {
    MoreOption option;
    const char* text;
    const char* icon;
    const char* usage; // null: no usage line
};

// Every entry an item of the panel can show, with its usage-log name.
constexpr Entry ENTRIES[] = {
    {MORE_OPTION_REPLY, "WDS_MSG_OPT_REPLY_ABB", "img/option/reply", "Reply"},
    {MORE_OPTION_CALL, "WDS_MSG_OPT_CALL_ABB", "img/option/call", "Call"},
    {MORE_OPTION_SEND_LOCATION, "WDS_MAPS_OPT_SEND_MY_LOCATION_ABB", "img/option/sharelocation",
     "Send_my_location"},
    {MORE_OPTION_RECIPIENTS, "WDS_MSG_OPT_RECIPIENTS_ABB", "img/option/recipients", "Recipients"},
    {MORE_OPTION_SHOW_ON_PHONE, "WDS_WNOTI_OPT_SHOW_ON_PHONE_ABB", "img/option/showondevice",
     "Show_on_phone"},
    {MORE_OPTION_BLOCK, "WDS_MSG_OPT_BLOCK_NUMBER_ABB", "img/option/addtospam", "Add_to_spam"},
    {MORE_OPTION_UNBLOCK, "WDS_MSG_OPT_UNBLOCK_NUMBER_ABB", "img/option/removespam", "Remove_from_spam"},
    {MORE_OPTION_EXPORT_TO_PHONE, "WDS_MSG_OPT_EXPORT_TO_PHONE_ABB", "img/option/send_to_phone", nullptr},
    {MORE_OPTION_DELETE, "WDS_MSG_OPT_DELETE_ABB", "img/option/delete", "Delete"},
    {MORE_OPTION_CREATE_CONTACT, "WDS_MSG_OPT_CREATE_CONTACT_ABB2", "img/option/addcontact", nullptr},
    {MORE_OPTION_CALL_NUMBER, "WDS_MSG_OPT_CALL_ABB", "img/option/call", nullptr},
    {MORE_OPTION_SEND_MESSAGE, "WDS_MSG_OPT_SEND_MESSAGE_ABB", "img/option/send_msg", nullptr},
};

const Entry* entryOf(MoreOption option) {
    for (const Entry& entry : ENTRIES) {
        if (entry.option == option)
            return &entry;
    }
    return nullptr;
}

bool isCompanionVendor() {
    int vendor = connectivity::get_connected_vendor();
    return vendor == 1 || vendor == 2;
}

bool anyBlocked(const std::vector<std::string>& addresses) {
    std::vector<std::string> blocked;
    if (!MCommonMsgSvc::getInstance()->getBlockNumberList(blocked))
        return false;
    return std::any_of(addresses.begin(), addresses.end(), [&](const std::string& address) {
        return std::find(blocked.begin(), blocked.end(), address) != blocked.end();
    });
}

} // namespace

MVOptionMgr::~MVOptionMgr() {
    // Its entries call this back: the view never outlives it.
    if (!_optionWptr.expired())
        destroy();
}

Evas_Object* MVOptionMgr::createView(Evas_Object* parent) {
    auto* option = new MCommonMoreOptionViewController();
    if (!option->create(parent, nullptr)) {
        MSG_LOGE("Failed to create MoreOption");
        option->destroy();
        return nullptr;
    }
    option->setOnClosed([this] { _onClosed(); });
    _optionWptr = view_kit::weak_cast<MCommonMoreOptionViewController>(option->getWeakPtr());
    _optionType = _baseType = OPTION_NONE;
    _options.clear();
    _shown.clear();
    return option->getEvasObject();
}

MCommonMoreOptionViewController* MVOptionMgr::getView() const {
    return _optionWptr.lock().get();
}

void MVOptionMgr::destroy() {
    // Nothing of the screen that goes may be called back.
    _threadMenuSelectCb = nullptr;
    _msgMenuSelectCb = nullptr;
    _cutlinkSelectCb = nullptr;
    _provider = nullptr;
    _optionType = _baseType = OPTION_NONE;
    _options.clear();
    _shown.clear();
    auto optionSptr = _optionWptr.lock();
    MSG_RET_IF(!optionSptr, "!optionSptr");
    optionSptr->destroy();
    _optionWptr.reset();
}

bool MVOptionMgr::createThreadOption(int threadId, const IMVItemDataProvider* provider, ThreadMenuCb cb) {
    MSG_RETV_IF(threadId <= 0, false, "threadId <= 0");
    _threadId = threadId;
    _provider = provider;
    _threadMenuSelectCb = std::move(cb);
    _loadThreadOption();
    return _optionType == OPTION_THREAD;
}

bool MVOptionMgr::createMsgOption(const IMVItemDataProvider* provider, MsgMenuCb cb,
                                  const std::vector<int>& msgIds) {
    _provider = provider;
    _msgMenuSelectCb = std::move(cb);
    _msgIds = msgIds;
    _loadMsgOption();
    return _optionType == OPTION_MSG;
}

bool MVOptionMgr::createCutlinkOption(CutlinkCb cb, const char* number) {
    MSG_RETV_IF(!number || !*number, false, "number is empty");
    _cutlinkSelectCb = std::move(cb);
    _number = number;
    _loadCutlinkOption();
    return _optionType == OPTION_CUTLINK;
}

std::vector<MVOptionMgr::Shown> MVOptionMgr::_threadEntries() const {
    std::vector<Shown> entries;
    auto add = [&entries](MoreOption option, const char* sub = nullptr) {
        entries.push_back({option, sub ? sub : "", _iconOf(option)});
    };
    std::shared_ptr<msg_store::Conversation> latest, any;
    _provider->getLatestConv(latest);
    std::vector<std::string> addresses = thread_address::list(_threadId);
    bool supportReply = thread_address::is_support_reply(_threadId, latest.get());

    if (supportReply)
        add(MORE_OPTION_REPLY);
    if (addresses.size() == 1 && common_util::is_phone_number(addresses.front().c_str()))
        add(MORE_OPTION_CALL, addresses.front().c_str());
    if (supportReply && !common_util::is_power_saving_mode() && common_util::get_map_type() != 0)
        add(MORE_OPTION_SEND_LOCATION);
    if (addresses.size() > 1)
        add(MORE_OPTION_RECIPIENTS);
    if ((common_util::is_retail_mode_enabled() || isCompanionVendor()) && _provider->getPhoneMsgConv(any))
        add(MORE_OPTION_SHOW_ON_PHONE);
    std::shared_ptr<MCommonConvAddr> convAddr;
    MCommonAddrMgr::getInstance()->getConvAddr(_threadId, convAddr);
    if (common_util::is_sta_enabled() && _provider->getHulmMsgConv(any) && convAddr &&
        convAddr->getValidAddrCount() > 0)
        add(anyBlocked(addresses) ? MORE_OPTION_UNBLOCK : MORE_OPTION_BLOCK);
    std::shared_ptr<MCommonAddr> first = convAddr ? convAddr->getNthAddr(0) : nullptr;
    std::string contactName;
    if (first)
        first->getContactName(contactName);
    if (first && *first->getAddress() && !first->isStringIdAddr() && contactName.empty())
        add(MORE_OPTION_CREATE_CONTACT);
    add(MORE_OPTION_DELETE);
    return entries;
}

void MVOptionMgr::_loadThreadOption() {
    MSG_RET_IF(!_provider, "!_provider");
    MSG_RET_IF(!_threadMenuSelectCb, "!_threadMenuSelectCb");
    std::vector<Shown> entries = _threadEntries();
    // The same entries stay as they are, and with them the one under the finger.
    if (_optionType == OPTION_THREAD && entries == _shown)
        return;
    int selected = _selectedOption();
    _resetItems();
    for (const Shown& entry : entries)
        _appendThreadItem(entry.option, entry.sub.empty() ? nullptr : entry.sub.c_str());
    _optionType = _baseType = OPTION_THREAD;
    _keepSelection(selected);
}

int MVOptionMgr::_selectedOption() const {
    auto optionSptr = _optionWptr.lock();
    if (!optionSptr || !optionSptr->isOpened())
        return -1;
    int index = optionSptr->getSelectedIndex();
    return index >= 0 && index < static_cast<int>(_options.size()) ? _options[index] : -1;
}

void MVOptionMgr::_keepSelection(int option) {
    auto optionSptr = _optionWptr.lock();
    auto found = std::find(_options.begin(), _options.end(), option);
    if (optionSptr && found != _options.end())
        optionSptr->setSelectedIndex(static_cast<int>(found - _options.begin()));
}

bool MVOptionMgr::_isExportable(int msgId) const {
    std::shared_ptr<msg_store::Conversation> conv;
    if (!_provider->getConvById(msgId, conv) || !conv)
        return false;
    if (conv->folderType != msg_store::FOLDER_WATCH_INBOX || conv->hideWatchIcon)
        return false;
    return conv->msgType != "mms" || conv->networkStatus == msg_store::NETWORK_STATUS_RETRIEVE_SUCCESS;
}

void MVOptionMgr::_loadMsgOption() {
    MSG_RET_IF(!_provider, "!_provider");
    MSG_RET_IF(!_msgMenuSelectCb, "!_msgMenuSelectCb");
    _resetItems();
    // Export acts on every checked message, so every one of them must be one the phone can take.
    bool exportable =
        common_util::is_sta_enabled() && isCompanionVendor() && !_msgIds.empty() &&
        std::all_of(_msgIds.begin(), _msgIds.end(), [this](int id) { return _isExportable(id); });
    if (exportable) {
        _append(MORE_OPTION_EXPORT_TO_PHONE, nullptr, [this] {
            if (_msgMenuSelectCb)
                _msgMenuSelectCb(MORE_OPTION_EXPORT_TO_PHONE);
        });
    }
    _optionType = _baseType = OPTION_MSG;
}

void MVOptionMgr::_loadCutlinkOption() {
    MSG_RET_IF(!_cutlinkSelectCb, "!_cutlinkSelectCb");
    _resetItems();
    for (MoreOption option : {MORE_OPTION_CALL_NUMBER, MORE_OPTION_SEND_MESSAGE}) {
        _append(option, nullptr, [this, option] {
            // The number travels by value: the callback may replace the menu.
            CutlinkCb cb = _cutlinkSelectCb;
            std::string number = _number;
            if (cb)
                cb(option, number);
        });
    }
    _optionType = OPTION_CUTLINK;
}

void MVOptionMgr::_appendThreadItem(MoreOption option, const char* sub) {
    _append(option, sub, [this, option] {
        const Entry* entry = entryOf(option);
        if (entry && entry->usage)
            dazo_log::insert(USAGE_FEATURE, entry->usage);
        // A copy: the action may rebuild the menu and the callback with it.
        ThreadMenuCb cb = _threadMenuSelectCb;
        if (cb)
            cb(option);
    });
}

const char* MVOptionMgr::_iconOf(MoreOption option) {
    const Entry* entry = entryOf(option);
    if (!entry)
        return nullptr;
    if (option == MORE_OPTION_REPLY && common_util::is_rtl_supported(common_util::LANGUAGE))
        return "img/option/reply_rtl";
    return entry->icon;
}

void MVOptionMgr::_append(MoreOption option, const char* sub, std::function<void()> onClicked) {
    auto optionSptr = _optionWptr.lock();
    MSG_RET_IF(!optionSptr, "_optionWptr.expired()");
    const Entry* entry = entryOf(option);
    MSG_RET_IF(!entry, "no entry for option (%d)", option);
    const char* icon = _iconOf(option);
    optionSptr->appendItem(
        entry->text, sub, icon, [onClicked](Eext_Object_Item*) { onClicked(); }, nullptr);
    _options.push_back(option);
    _shown.push_back({option, sub ? sub : "", icon});
}

void MVOptionMgr::openMenu() {
    auto optionSptr = _optionWptr.lock();
    MSG_RET_IF(!optionSptr, "_optionWptr.expired()");
    // An empty panel is never shown: its cue is hidden too.
    MSG_RET_IF(_options.empty(), "no option to show");
    optionSptr->open();
}

void MVOptionMgr::closeMenu() {
    auto optionSptr = _optionWptr.lock();
    MSG_RET_IF(!optionSptr, "_optionWptr.expired()");
    optionSptr->close();
}

bool MVOptionMgr::isOpened() const {
    auto optionSptr = _optionWptr.lock();
    return optionSptr && optionSptr->isOpened();
}

void MVOptionMgr::clearItems() {
    _options.clear();
    _shown.clear();
    _optionType = OPTION_NONE;
    auto optionSptr = _optionWptr.lock();
    MSG_RET_IF(!optionSptr, "_optionWptr.expired()");
    optionSptr->clearItems();
}

// An open panel stays open with the new entries in place of the old.
void MVOptionMgr::_resetItems() {
    auto optionSptr = _optionWptr.lock();
    if (optionSptr && optionSptr->isOpened()) {
        _options.clear();
        _shown.clear();
        _optionType = OPTION_NONE;
        optionSptr->removeItems();
        return;
    }
    clearItems();
}

Evas_Object* MVOptionMgr::getCueAccessObject() const {
    auto optionSptr = _optionWptr.lock();
    MSG_RETV_IF(!optionSptr, nullptr, "!sptr");
    return optionSptr->getCueAccessObject();
}

// A closed panel is not left empty: a number's menu gives way to the conversation's or the
// selection's entries again, and those are rebuilt from what holds now.
void MVOptionMgr::_onClosed() {
    if (_baseType == OPTION_THREAD && _threadMenuSelectCb && _provider)
        _loadThreadOption();
    else if (_baseType == OPTION_MSG && _msgMenuSelectCb && _provider)
        _loadMsgOption();
    else
        clearItems();
}

} // namespace msg_viewer
} // namespace msg_app
