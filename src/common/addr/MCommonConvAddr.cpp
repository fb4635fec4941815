#include "common/addr/MCommonConvAddr.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/addr/MCommonAddrMgr.h"
#include "msg_store/ThreadManager.h"

#include <libintl.h>

namespace msg_app {

namespace {

constexpr const char* kTextDomain = "message";
// Formatting is costly; a long group shows the rest of its numbers as they are.
constexpr int kFormatBudget = 10;
constexpr const char* kNameSeparator = ", ";

} // namespace

MCommonConvAddr::MCommonConvAddr(int convId, const std::function<void(int)>& onDestroy) : _convId(convId) {
    if (onDestroy)
        _onDestroy = std::make_unique<std::function<void(int)>>(onDestroy);
}

MCommonConvAddr::~MCommonConvAddr() {
    _addrList.clear();
    if (_onDestroy && *_onDestroy)
        (*_onDestroy)(_convId);
}

int MCommonConvAddr::getAddrCnt() {
    if (_addrList.empty())
        _loadAddrList();
    return static_cast<int>(_addrList.size());
}

std::shared_ptr<MCommonAddr> MCommonConvAddr::getNthAddr(int index) {
    if (_addrList.empty())
        _loadAddrList();
    MSG_RETV_IF(index < 0 || index >= static_cast<int>(_addrList.size()), nullptr, "invalid index(%d)",
                index);
    return _addrList[static_cast<size_t>(index)];
}

int MCommonConvAddr::getValidAddrCount() {
    if (_addrList.empty())
        _loadAddrList();
    MSG_RETV_IF(_addrList.empty(), 0, "address count is 0.");
    int count = 0;
    for (const auto& addr : _addrList) {
        if (addr && common_util::is_phone_number(addr->getAddress()))
            ++count;
    }
    return count;
}

void MCommonConvAddr::getDisplayName(std::string& out, bool forceRefresh) {
    bool isFresh = false;
    if (!_isContactSynced) {
        _doContactSync();
        _setDisplayName();
        isFresh = true;
    }
    if (!_displayName.empty()) {
        if (!isFresh && (forceRefresh || _hasStringIdAddr))
            _setDisplayName();
        out = _displayName;
        return;
    }
    MSG_LOGD("name is empty.");
    out = dgettext(kTextDomain,
                   _addrList.empty() ? "WDS_MSG_HEADER_NO_RECIPIENTS" : "WDS_WNOTI_HEADER_UNKNOWN_M_SENDER");
}

void MCommonConvAddr::reload() {
    _addrList.clear();
    _clearContactInfo();
    _loadAddrList();
}

void MCommonConvAddr::_loadAddrList() {
    std::vector<msg_store::Address> addresses;
    int ret = _store.threads.getAddress(_convId, addresses);
    MSG_RET_IF(ret != 0, "getAddress(%d) failed(%d)", _convId, ret);
    _addrList.clear();
    for (const auto& address : addresses) {
        if (address.addressType == msg_store::ADDRESS_TYPE_CALLBACK) {
            MSG_LOGD("Skip callback number");
            continue;
        }
        _addrList.push_back(std::make_shared<MCommonAddr>(address.address.c_str(), nullptr));
    }
}

void MCommonConvAddr::_doContactSync() {
    if (_isContactSynced)
        return;
    _syncContacts(MCommonAddrMgr::getInstance()->isContactConnected());
}

void MCommonConvAddr::_syncContacts(bool isContactConnected) {
    if (_isContactSynced)
        return;
    if (_addrList.empty())
        _loadAddrList();
    for (auto& addr : _addrList) {
        if (addr)
            addr->_doContactSync(isContactConnected);
    }
    _isContactSynced = true;
}

void MCommonConvAddr::_setDisplayName() {
    _displayName.clear();
    _hasStringIdAddr = false;
    MSG_RET_IF(_addrList.empty(), "addr_cnt is 0.");
    int formatBudget = kFormatBudget;
    for (auto& addr : _addrList) {
        if (!addr)
            continue;
        std::string name;
        MCommonAddr::getDisplayName(addr, name, &_hasStringIdAddr, &formatBudget);
        if (_addrList.size() == 1) {
            _displayName = name;
            return;
        }
        // An address with nothing to show leaves no empty slot between separators.
        if (name.empty())
            continue;
        if (!_displayName.empty())
            _displayName += kNameSeparator;
        _displayName += name;
    }
}

void MCommonConvAddr::_clearContactInfo() {
    _isContactSynced = false;
    _hasStringIdAddr = false;
    _displayName.clear();
    for (auto& addr : _addrList) {
        if (addr)
            addr->clearContactInfo();
    }
}

bool MCommonConvAddr::_reset(MCommonConvAddr& other) {
    MSG_RETV_IF(_convId != other._convId, false, "id(%d) of this object is different from other.id(%d)",
                _convId, other._convId);
    MSG_RETV_IF(_isContactSynced, false, "addr of convId(%d) already has contact name.", _convId);
    MSG_RETV_IF(!other._isContactSynced, false, "other doesn't have synced-data.");
    _clearContactInfo();
    _addrList.swap(other._addrList);
    _isContactSynced = other._isContactSynced;
    _setDisplayName();
    return true;
}

} // namespace msg_app
