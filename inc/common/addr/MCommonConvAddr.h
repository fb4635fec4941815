/*
 * The ordered addresses of one conversation and the name that joins them.
 * The list is read from the message store on first use.
 */
#ifndef MSG_APP_COMMON_ADDR_MCOMMONCONVADDR_H
#define MSG_APP_COMMON_ADDR_MCOMMONCONVADDR_H

#include "common/MCommonMsgStore.h"
#include "common/addr/MCommonAddr.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace msg_app {

class MCommonConvAddr {
public:
    MCommonConvAddr(int convId, const std::function<void(int)>& onDestroy);
    ~MCommonConvAddr();
    MCommonConvAddr(const MCommonConvAddr&) = delete;
    MCommonConvAddr& operator=(const MCommonConvAddr&) = delete;

    int getConvId() const { return _convId; }
    bool isContactSynced() const { return _isContactSynced; }

    int getAddrCnt();
    // Empty for an index outside the list.
    std::shared_ptr<MCommonAddr> getNthAddr(int index);
    // The addresses that are phone numbers.
    int getValidAddrCount();
    // The joined name in markup; a conversation without a name gives the "no recipients" or
    // "unknown sender" text.
    void getDisplayName(std::string& out, bool forceRefresh);
    // Reads the addresses again and forgets every contact match.
    void reload();

private:
    friend class MCommonAddrMgr;

    void _loadAddrList();
    void _doContactSync();
    void _syncContacts(bool isContactConnected);
    void _setDisplayName();
    void _clearContactInfo();
    // Takes over the address list and matches of a copy synced elsewhere.
    bool _reset(MCommonConvAddr& other);

    MCommonMsgStore _store;
    std::unique_ptr<std::function<void(int)>> _onDestroy;
    int _convId;
    bool _isContactSynced = false;
    bool _hasStringIdAddr = false;
    std::string _displayName;
    std::vector<std::shared_ptr<MCommonAddr>> _addrList;
};

} // namespace msg_app

#endif
