/*
 * Keeps a conversation in step with the message store while it lives: a new message gets its
 * bubble (and is marked read while the application is in front), a changed one its new record or
 * its new place, a deleted one leaves; a change of many messages reloads the page on a worker,
 * where the user was reading. The messages older than a first page read come the same way, on a
 * worker. Its subscription ends with this part. Main loop only, but the reads' worker.
 */
#ifndef MSG_APP_VIEWER_MVSTORESYNC_H
#define MSG_APP_VIEWER_MVSTORESYNC_H

#include "common/MCommonStoreSubscription.h"
#include "msg_store/Conversation.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace msg_app {
namespace msg_viewer {

class MVBubbleRows;
class MVItemBubble;
class MVListModel;
class MVSelectMode;

class MVStoreSync {
public:
    // What the conversation around the rows tells and does.
    struct Host {
        // A bubble of the message, or null when it cannot be shown.
        std::function<std::unique_ptr<MVItemBubble>(int msgId)> createBubble;
        // The oldest page is in: a message older than every bubble shown still gets one.
        std::function<bool()> allPagesIn;
        // The rows built again from the model: from the bubble of readMsgId at the top of the
        // screen, or at the end of the conversation for 0.
        std::function<void(int readMsgId)> rebuild;
        // The conversation's option entries may have changed.
        std::function<void()> optionsChanged;
        // The conversation has no message left.
        std::function<void()> emptied;
        // The address the journal names for an opened multimedia message.
        std::function<std::string()> firstAddress;
    };
    // A change of more messages than this reloads the page instead of touching rows one by one.
    static constexpr size_t MAX_CHANGES_ONE_BY_ONE = 50;

    // The model, rows and select mode are the conversation's and outlive this part.
    MVStoreSync(MVListModel& model, MVBubbleRows& rows, MVSelectMode& select, Host host);
    ~MVStoreSync();
    MVStoreSync(const MVStoreSync&) = delete;
    MVStoreSync& operator=(const MVStoreSync&) = delete;

    void start();
    // No change reaches the conversation any more, nor a reload's end.
    void stop();
    // Reads the messages the model does not hold yet on a worker and hands them to it; changes that
    // come meanwhile are applied at once and again after.
    void readRest();

private:
    void _onStorageChanged(const char* payload);
    void _onContentChanged(const char* payload);
    void _applyChange(int changeType, int msgId);
    // The page built again from the store, where the user was reading. The thread is read on a
    // worker; changes that come meanwhile go to the rows shown at once and again after.
    void _reload();
    // Reads the whole thread, or only what the model does not hold, on a worker.
    void _read(bool rest);
    void _onReloaded(std::vector<msg_store::Conversation>&& conversations);
    void _onRestRead(std::vector<msg_store::Conversation>&& older);
    // The changes that came while the thread was read, applied again over what was read.
    void _applyChangesWhileReading();
    void _markThreadRead(const std::vector<int>& insertedIds);
    void _insertMessage(int msgId);
    void _updateMessage(int msgId);
    void _deleteMessage(int msgId);
    void _markRead(const msg_store::Conversation& conv);
    void _addBubble(const std::shared_ptr<msg_store::Conversation>& conv);

    MVListModel& _model;
    MVBubbleRows& _rows;
    MVSelectMode& _select;
    Host _host;
    MCommonStoreSubscription _subscription;
    // A reload's end reaches this part only while this token lives.
    std::shared_ptr<char> _alive = std::make_shared<char>();
    bool _reloading = false;
    bool _reloadAgain = false;
    // (change type, message id) of the changes applied while the thread was read.
    std::vector<std::pair<int, int>> _changesWhileReloading;
    // Messages of reloaded changes that are marked read once the reload is in.
    std::vector<int> _insertedToMark;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
