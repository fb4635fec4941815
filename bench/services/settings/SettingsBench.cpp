// Cost of reading and writing device settings and preferences, and of a change notice's trip
// through the device to a callback on the main loop.
#include "TempDir.h"
#include "device/Device.h"
#include "preference.h"
#include "vconf.h"

#include <Ecore.h>
#include <benchmark/benchmark.h>

namespace {

void BM_VconfGetDefault(benchmark::State& state) {
    msg_test::TempDevice device;
    msg_device::Device::closeDefault();
    int value = 0;
    for (auto _ : state) {
        vconf_get_int("memory/private/yox/conn_type", &value);
        benchmark::DoNotOptimize(value);
    }
    msg_device::Device::closeDefault();
}
BENCHMARK(BM_VconfGetDefault);

void BM_VconfGetStored(benchmark::State& state) {
    msg_test::TempDevice device;
    msg_device::Device::closeDefault();
    vconf_set_int("db/setting/psmode", 4);
    int value = 0;
    for (auto _ : state) {
        vconf_get_int("db/setting/psmode", &value);
        benchmark::DoNotOptimize(value);
    }
    msg_device::Device::closeDefault();
}
BENCHMARK(BM_VconfGetStored);

void BM_VconfSet(benchmark::State& state) {
    msg_test::TempDevice device;
    msg_device::Device::closeDefault();
    int i = 0;
    for (auto _ : state)
        vconf_set_int("db/setting/psmode", ++i);
    msg_device::Device::closeDefault();
}
BENCHMARK(BM_VconfSet);

void BM_PreferenceGet(benchmark::State& state) {
    msg_test::TempDevice device;
    msg_device::Device::closeDefault();
    preference_set_int("msg_preference_int_send_as_option", 1);
    int value = 0;
    for (auto _ : state) {
        preference_get_int("msg_preference_int_send_as_option", &value);
        benchmark::DoNotOptimize(value);
    }
    msg_device::Device::closeDefault();
}
BENCHMARK(BM_PreferenceGet);

void changedCb(keynode_t*, void* data) {
    *static_cast<bool*>(data) = true;
}

// From vconf_set_int to the callback, through the folder watch of the change feed.
void BM_VconfChangeNotice(benchmark::State& state) {
    ecore_init();
    msg_test::TempDevice device;
    msg_device::Device::closeDefault();
    bool arrived = false;
    vconf_notify_key_changed("db/setting/psmode", changedCb, &arrived);
    int i = 0;
    for (auto _ : state) {
        arrived = false;
        vconf_set_int("db/setting/psmode", ++i);
        while (!arrived)
            ecore_main_loop_iterate_may_block(EINA_TRUE);
    }
    vconf_ignore_key_changed("db/setting/psmode", changedCb);
    msg_device::Device::closeDefault();
    ecore_shutdown();
}
BENCHMARK(BM_VconfChangeNotice)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
