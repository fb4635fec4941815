#include "HeadlessEnv.h"

#include "device/Device.h"

#include <Elementary.h>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace msg_bench {

void setHeadlessEnvironment(const char* logLevel) {
    setenv("ELM_ENGINE", "buffer", 1);
    setenv("EINA_LOG_BACKTRACE", "-1", 0);
    setenv("EINA_LOG_LEVELS",
           "eldbus:0,ecore_system_upower:0,ecore_system_systemd:0,eina_safety:0,ecore_con:0", 0);
    setenv("MSG_LOG_LEVEL", logLevel, 0);
    setenv("LANGUAGE", "en", 1);
}

int runWidgetBenchmarks(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    elm_init(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    msg_device::Device::closeDefault();
    elm_shutdown();
    return 0;
}

} // namespace msg_bench
