/*
 * Every message of the open conversation, oldest first, as shared records:
 * a bubble keeps its record even after the model replaced or dropped it.
 * The conversation screen loads it once and keeps it in step with the
 * store's change events. A long conversation is read from its end: the
 * newest page first, for the first screen, and the older messages after.
 * Everything the screen reads or changes in the store goes through here, on
 * the store its owner handed over. Main loop only.
 */
#ifndef MSG_APP_VIEWER_MVLISTMODEL_H
#define MSG_APP_VIEWER_MVLISTMODEL_H

#include "common/MCommonMsgStore.h"
#include "viewer/IMVItemDataProvider.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace msg_app {
namespace msg_viewer {

class MVListModel : public IMVItemDataProvider {
public:
    // store: the screen owner's, which outlives this model.
    MVListModel(int threadId, MCommonMsgStore& store);
    ~MVListModel() override;

    // Replaces the content with the thread as the store has it now; returns the count.
    int load();
    // Replaces the content with the thread's messages read elsewhere, oldest first; the count.
    int assign(std::vector<msg_store::Conversation>&& conversations);
    // Replaces the content with the thread's newest `count` messages only; returns the count held.
    int loadNewest(int count);
    // True once every message of the thread is held (read whole, or the rest taken in).
    bool isWhole() const { return _whole; }
    // Where the messages not held yet end: those of the thread before this (time, message id).
    struct RestStart {
        int threadId = 0;
        int64_t time = 0;
        int msgId = 0;
    };
    RestStart getRestStart() const { return _restStart; }
    // The messages before `start`, oldest first, read on the given store (a worker's own).
    static bool fetchRest(MCommonMsgStore& store, const RestStart& start,
                          std::vector<msg_store::Conversation>& out);
    // Reads the messages not held yet and takes them in, for what needs every message now.
    void readRest();
    // Takes in the messages fetchRest() read, unless the model is whole by now. Those the model
    // holds already (added live meanwhile) are kept as held.
    void takeRest(std::vector<msg_store::Conversation>&& older);
    // Reads the message and puts it in time order (after messages of the same time). False when
    // the store no longer has it (deleted before its insert was handled) or it is spam, which
    // the conversation never shows.
    bool add(int msgId, std::shared_ptr<msg_store::Conversation>& out);
    // Re-reads the message and replaces the held record in place.
    bool update(int msgId, std::shared_ptr<msg_store::Conversation>& out);
    void remove(int msgId);
    void clear();

    // The thread's messages as the store has them now, oldest first, without holding them.
    void fetch(std::vector<msg_store::Conversation>& out) const;
    // True when the ids are every message the store holds in the thread now, which may be more than
    // this model has seen: a message that arrived since the ids were chosen is not theirs to lose.
    bool isWholeThread(const std::vector<int>& ids) const;
    bool deleteMessage(int msgId);
    bool deleteThread();
    void readMessage(int msgId);
    void readThread();
    bool exportToPhone(int msgId);
    bool showOnPhone(int msgId);

    int getThreadId() const { return _threadId; }
    int getCount() const { return _msgCount; }
    // 0 when the index is out of range.
    int getMsgId(unsigned int index) const;
    // The position of the message, -1 when not held. Found by id and time, without a scan.
    int getIndexOf(int msgId) const;

    bool getConvById(int msgId, std::shared_ptr<msg_store::Conversation>& out) const override;
    bool getLatestInboxConv(std::shared_ptr<msg_store::Conversation>& out) const override;
    bool getLatestConv(std::shared_ptr<msg_store::Conversation>& out) const override;
    bool getPhoneMsgConv(std::shared_ptr<msg_store::Conversation>& out) const override;
    bool getHulmMsgConv(std::shared_ptr<msg_store::Conversation>& out) const override;
    bool getNthConv(unsigned int n, std::shared_ptr<msg_store::Conversation>& out) const override;

private:
    using ConvPtr = std::shared_ptr<msg_store::Conversation>;
    bool _getConvByIndex(unsigned int index, ConvPtr& out) const;
    // The newest record whose folder is one of the two, searching from the newest.
    bool _findLatestIn(int folder1, int folder2, ConvPtr& out) const;

    void _index(const ConvPtr& conv) { _byId[conv->msgId] = conv; }

    MCommonMsgStore& _store;
    int _threadId;
    int _msgCount = 0;
    std::vector<ConvPtr> _conversations;
    bool _whole = true;
    RestStart _restStart;
    // The same records by message id: a conversation of thousands is searched by id and time.
    std::unordered_map<int, ConvPtr> _byId;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
