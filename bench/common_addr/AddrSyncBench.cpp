// Resolving the names of a whole conversation list against a full address book
// on the background contact sync.
#include "TempDir.h"
#include "common/addr/MCommonAddrMgr.h"
#include "contacts/ContactsAdmin.h"
#include "device/Device.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"

#include <Ecore.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace msg_app;

namespace {

constexpr int kContacts = 5000;

std::string numberOf(int i) {
    return "+1415" + std::to_string(2000000 + i);
}

// One device for the program: 5,000 contacts, and conversations whose every other number
// belongs to one of them.
class BenchDevice {
public:
    BenchDevice() {
        ecore_init();
        msg_store::ConnectionManager::connect();
        std::vector<contacts_admin::Person> persons;
        for (int i = 0; i < kContacts; ++i)
            persons.push_back({0, "Person " + std::to_string(i), {numberOf(2 * i)}});
        if (!contacts_admin::addPersons(msg_device::Device::getDefault(), persons))
            std::fprintf(stderr, "cannot seed the address book\n");
    }

    const std::vector<int>& conversations(int count) {
        if (static_cast<int>(_convIds.size()) >= count)
            return _convIds;
        std::vector<msg_store::IncomingMessage> messages;
        for (int i = static_cast<int>(_convIds.size()); i < count; ++i) {
            msg_store::IncomingMessage message;
            message.addresses = {{msg_store::ADDRESS_TYPE_PHONE, numberOf(i)}};
            message.text = "hello";
            messages.push_back(message);
        }
        std::vector<int> msgIds;
        msg_store::PhoneSide::insertMessages(messages, &msgIds);
        for (int msgId : msgIds) {
            msg_store::Message stored;
            msg_store::MessageManager().getMessage(msgId, stored);
            _convIds.push_back(stored.threadId);
        }
        return _convIds;
    }

private:
    msg_test::TempDevice _device;
    std::vector<int> _convIds;
};

BenchDevice& benchDevice() {
    static BenchDevice device;
    return device;
}

bool allSynced(const std::vector<std::shared_ptr<MCommonConvAddr>>& list) {
    for (const auto& conv : list) {
        if (!conv->isContactSynced())
            return false;
    }
    return true;
}

void BM_BackgroundSyncNames(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::vector<int>& ids = benchDevice().conversations(count);
    int named = 0;
    for (auto _ : state) {
        std::vector<std::shared_ptr<MCommonConvAddr>> list;
        for (int i = 0; i < count; ++i) {
            std::shared_ptr<MCommonConvAddr> conv;
            MCommonAddrMgr::getInstance()->getConvAddr(ids[static_cast<size_t>(i)], conv);
            list.push_back(conv);
        }
        MCommonAddrMgr::getInstance()->startConvAddrBgContactSync();
        while (!allSynced(list))
            ecore_main_loop_iterate_may_block(EINA_FALSE);
        named = 0;
        std::string name;
        for (auto& conv : list) {
            conv->getDisplayName(name, false);
            named += name.compare(0, 7, "Person ") == 0;
        }
        state.PauseTiming();
        list.clear();
        MCommonAddrMgr::release();
        state.ResumeTiming();
    }
    state.counters["named"] = named;
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_BackgroundSyncNames)
    ->ArgName("conversations")
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
