/*
 * The data one list row shows, copied out of a conversation or a message and
 * kept for the row's lifetime.
 */
#ifndef MSG_APP_LIST_MLITEMCONTENTMODEL_H
#define MSG_APP_LIST_MLITEMCONTENTMODEL_H

#include "common/addr/MCommonConvAddr.h"
#include "list/IMLItemDataProvider.h"
#include "list/MLListTypes.h"

#include <ctime>
#include <memory>
#include <string>

namespace msg_app {

struct MCommonMsgStore;

namespace msg_list {

class MLItemContentModel {
public:
    // The most bytes of text a row keeps, with and without a subject above it.
    static constexpr size_t BODY_LIMIT_WITH_SUBJECT = 100;
    static constexpr size_t BODY_LIMIT = 200;

    // The row reads its record again, and a group chat's state is refreshed, through the store,
    // which outlives the row.
    MLItemContentModel(DataType dataType, MCommonMsgStore& store);

    bool init(int id, IMLItemDataProvider* provider);
    bool reload();
    void updateGroupChat();

    int getItemId() const { return _dataType == MSG ? _msgId : _convId; }
    int getConvId() const { return _convId; }
    DataType getDataType() const { return _dataType; }
    MsgType getMsgType() const { return _msgType; }
    time_t getTime() const { return _time; }
    int getUnreadCnt() const { return _unreadCnt; }
    int getMsgCnt() const { return _msgCnt; }
    int getSimIndex() const { return _simIndex; }
    bool isGroupChat() const { return _isGroupChat; }
    int getFolderType() const { return _folderType; }
    int getNetworkStatus() const { return _networkStatus; }
    // Both leave the argument unchanged when there is nothing to give.
    void getSubject(std::string& out) const;
    void getBody(std::string& out) const { out = _body; }
    void getDisplayName(std::string& out) const;

    // The record type's name as a MsgType; an unknown name is logged and read as SMS.
    static MsgType msgTypeOf(const std::string& name);
    // At most `limit` bytes of text, never cutting a UTF-8 character in two.
    static std::string cutText(const std::string& text, size_t limit);

private:
    void _clear();
    void _load(const msg_store::Thread& thread);
    void _load(const msg_store::Message& msg);
    void _loadCommon(const std::string& type, int64_t timeMs, int simIndex, bool isGroupChat, int folderType,
                     int networkStatus, const std::string& subject, const std::string& text);

    MCommonMsgStore& _store;
    int _convId = INVALID_ID;
    int _msgId = INVALID_ID;
    time_t _time = 0;
    int _unreadCnt = 0;
    int _msgCnt = 0;
    int _simIndex = 0;
    bool _isGroupChat = false;
    DataType _dataType;
    MsgType _msgType = MSG_TYPE_SMS;
    int _folderType = 0;
    int _networkStatus = 0;
    std::unique_ptr<std::string> _subject;
    std::string _body;
    std::shared_ptr<MCommonConvAddr> _convAddr;
};

} // namespace msg_list
} // namespace msg_app

#endif
