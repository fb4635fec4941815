/*
 * One message address (a phone number, an e-mail address or a string id) and
 * the contact it belongs to, looked up lazily in the contacts service.
 */
#ifndef MSG_APP_COMMON_ADDR_MCOMMONADDR_H
#define MSG_APP_COMMON_ADDR_MCOMMONADDR_H

#include <functional>
#include <memory>
#include <string>

namespace msg_app {

class MCommonAddr {
public:
    // Not looked up yet; 0 means looked up without a match.
    static constexpr int NONSYNC_CID = -1;

    // A pre-resolved address; the name is stored when given.
    MCommonAddr(const char* address, const char* contactName, int contactId);
    // An address to be looked up on first read. One beginning with "-1" is the store's unknown
    // sender and is kept empty.
    MCommonAddr(const char* address, const std::function<void(const char*)>& onDestroy);
    ~MCommonAddr();
    MCommonAddr(const MCommonAddr&) = delete;
    MCommonAddr& operator=(const MCommonAddr&) = delete;

    const char* getAddress() const { return _address.c_str(); }
    void getAddress(std::string& out) const { out = _address; }
    bool isStringIdAddr() const { return _isStringIdAddr; }

    void doContactSync();
    int getContactId();
    // Leaves out unchanged when the address has no contact name.
    void getContactName(std::string& out);
    void clearContactInfo();

    // The address as a label shows it (Elementary markup). A phone number is formatted for the
    // region while *formatBudget is above 0, which it then decrements. out is unchanged when
    // there is nothing to show.
    static void getDisplayName(std::shared_ptr<MCommonAddr>& addr, std::string& out, bool* isStringId,
                               int* formatBudget);

private:
    friend class MCommonConvAddr;

    // The lookup with the caller's knowledge of the contacts connection: a worker thread has its
    // own and must not ask the manager.
    void _doContactSync(bool isContactConnected);
    void _lookupContact();

    std::unique_ptr<std::function<void(const char*)>> _onDestroy;
    int _contactId = NONSYNC_CID;
    bool _isStringIdAddr = false;
    std::string _address;
    std::unique_ptr<std::string> _contactName;
};

} // namespace msg_app

#endif
