#include "list/MLItemContentModel.h"

#include "common/MCommonMsgStore.h"
#include "common/MsgLog.h"
#include "common/addr/MCommonAddrMgr.h"

#include <cstring>

namespace msg_app {
namespace msg_list {

MLItemContentModel::MLItemContentModel(DataType dataType, MCommonMsgStore& store)
    : _store(store), _dataType(dataType) {}

MsgType MLItemContentModel::msgTypeOf(const std::string& name) {
    static const struct {
        const char* name;
        MsgType type;
    } types[] = {{"sms", MSG_TYPE_SMS},   {"mms", MSG_TYPE_MMS}, {"wap", MSG_TYPE_WAP}, {"cb", MSG_TYPE_CB},
                 {"cmas", MSG_TYPE_CMAS}, {"ft", MSG_TYPE_FT},   {"chat", MSG_TYPE_FT}};
    for (const auto& entry : types) {
        if (name == entry.name)
            return entry.type;
    }
    MSG_LOGE("wrong type (%s)", name.c_str());
    return MSG_TYPE_SMS;
}

std::string MLItemContentModel::cutText(const std::string& text, size_t limit) {
    if (text.size() <= limit)
        return text;
    // Step back over continuation bytes so that a character is kept whole or dropped whole.
    size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

bool MLItemContentModel::init(int id, IMLItemDataProvider* provider) {
    if (getItemId() != INVALID_ID) {
        MSG_LOGE("This content(threadId:%d) is already initialized.", _convId);
        return false;
    }
    if (_dataType == MSG)
        _msgId = id;
    else
        _convId = id;

    if (provider) {
        if (_dataType == MSG) {
            msg_store::Message msg;
            if (provider->getMessageById(id, msg)) {
                _load(msg);
                return true;
            }
        } else {
            msg_store::Thread thread;
            if (provider->getThreadById(id, thread)) {
                _load(thread);
                return true;
            }
        }
    }
    return reload();
}

bool MLItemContentModel::reload() {
    _clear();
    if (_dataType == MSG) {
        msg_store::Message msg;
        int result = _store.messages.getMessage(_msgId, msg);
        MSG_RETV_IF(result != msg_store::MSG_STORE_SUCCESS, false, "getMessage(%d) is failed (%d)", _msgId,
                    result);
        _load(msg);
        return true;
    }
    msg_store::Thread thread;
    int result = _store.threads.getThread(_convId, thread);
    MSG_RETV_IF(result != msg_store::MSG_STORE_SUCCESS, false, "getThread(%d) is failed (%d)", _convId,
                result);
    _load(thread);
    return true;
}

void MLItemContentModel::updateGroupChat() {
    if (_dataType != THREAD) {
        MSG_LOGW("this item is not a conversation.");
        return;
    }
    if (_store.threads.updateGroupchatThread(_convId) != msg_store::MSG_STORE_SUCCESS)
        MSG_LOGE("updateGroupchatThread(%d) is failed.", _convId);
}

void MLItemContentModel::getSubject(std::string& out) const {
    if (_subject)
        out = *_subject;
}

void MLItemContentModel::getDisplayName(std::string& out) const {
    if (_convAddr)
        _convAddr->getDisplayName(out, false);
}

void MLItemContentModel::_clear() {
    if (_dataType == MSG)
        _convId = INVALID_ID;
    _time = 0;
    _unreadCnt = 0;
    _msgCnt = 0;
    _simIndex = 0;
    _isGroupChat = false;
    _msgType = MSG_TYPE_SMS;
    _folderType = 0;
    _networkStatus = 0;
    _subject.reset();
    _body.clear();
    _convAddr.reset();
}

void MLItemContentModel::_load(const msg_store::Thread& thread) {
    _unreadCnt = thread.unreadCount;
    _msgCnt = thread.msgCount;
    _loadCommon(thread.msgType, thread.time, thread.simIndex, thread.isGroupChat, thread.folderType,
                thread.networkStatus, thread.subject, thread.snippet);
}

void MLItemContentModel::_load(const msg_store::Message& msg) {
    _convId = msg.threadId;
    _loadCommon(msg.msgType, msg.time, msg.simIndex, msg.isGroupChat, msg.folderType, msg.networkStatus,
                msg.subject, msg.text);
}

void MLItemContentModel::_loadCommon(const std::string& type, int64_t timeMs, int simIndex, bool isGroupChat,
                                     int folderType, int networkStatus, const std::string& subject,
                                     const std::string& text) {
    _msgType = msgTypeOf(type);
    _time = static_cast<time_t>(timeMs / 1000);
    _simIndex = simIndex != 0 ? 1 : 0;
    _isGroupChat = isGroupChat;
    _folderType = folderType;
    _networkStatus = networkStatus;
    if (!subject.empty())
        _subject = std::make_unique<std::string>(subject);
    _body = cutText(text, _subject ? BODY_LIMIT_WITH_SUBJECT : BODY_LIMIT);
    if (!MCommonAddrMgr::getInstance()->getConvAddr(_convId, _convAddr))
        MSG_LOGW("no addresses for conversation %d", _convId);
}

} // namespace msg_list
} // namespace msg_app
