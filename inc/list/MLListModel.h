/*
 * The whole list as read from the message store (or taken from the
 * background preload), handed out by index and by id. Transient: the list
 * screen loads it, builds its rows from it (the first screens at once, the
 * rest a slice at a time) and clears it. The list's way to the store: what
 * the list reads or changes there goes through it.
 */
#ifndef MSG_APP_LIST_MLLISTMODEL_H
#define MSG_APP_LIST_MLLISTMODEL_H

#include "list/IMLItemDataProvider.h"
#include "list/MLListTypes.h"
#include "list/MLThreadListBgLoad.h"

#include <ctime>
#include <memory>
#include <vector>

namespace msg_app {

struct MCommonMsgStore;

namespace msg_list {

class MLListModel : public IMLItemDataProvider {
public:
    // The store outlives the model.
    MLListModel(ListType listType, MCommonMsgStore& store);
    ~MLListModel() override = default;

    // False when the store could not be read; the model stays empty.
    bool load();
    void clear();
    int getCount() const { return _count; }
    DataType getDataType() const { return _dataType; }
    time_t getLoadTime() const { return _loadTime; }
    // The thread id or message id at the index, INVALID_ID out of range; remembers the index so
    // that the lookup by id that follows finds the entry at once.
    int getItemId(int index);
    // The id of the next entry no row was built for yet, in list order, INVALID_ID once every
    // entry was handed out (or nothing is loaded). While the preload still reads, INVALID_ID also
    // when the next is not read yet, unless `wait`: then it waits for it.
    int handOutNext(bool wait = false);
    bool hasMoreToHandOut() const { return _isLoaded && (_handedOut < _count || _reading); }

    bool getThreadById(int threadId, msg_store::Thread& out) override;
    bool getMessageById(int msgId, msg_store::Message& out) override;

    bool deleteItem(int id) const;
    bool restoreMsg(int id) const;
    // The record of a row checked at seenTime is still what the store holds under its id: the
    // conversation has had no newer message since, a blocked message is still blocked.
    bool isUnchangedSince(int id, time_t seenTime) const;

private:
    bool _loadThreads(bool& fromPreload);
    bool _loadMessages();
    // Takes over what the preload has read, waiting for `wanted` more first; lets go of it at the end.
    void _takeRead(size_t wanted);
    template <typename Record, typename IdOf>
    bool _findById(const std::vector<Record>* records, int id, IdOf idOf, Record& out) const;

    MCommonMsgStore& _store;
    const DataType _dataType;
    const ListFilter _filter;
    int _cachedIndex = INVALID_ID;
    time_t _loadTime = 0;
    int _count = 0;
    int _handedOut = 0;
    bool _isLoaded = false;
    std::shared_ptr<std::vector<msg_store::Thread>> _threads;
    std::shared_ptr<MLThreadListBgLoad::Reading> _reading;
    std::shared_ptr<std::vector<msg_store::Message>> _msgs;
};

} // namespace msg_list
} // namespace msg_app

#endif
