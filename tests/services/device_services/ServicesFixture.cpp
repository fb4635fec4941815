#include "ServicesFixture.h"

#include "device/Device.h"

#include <Ecore.h>

void ServicesTest::SetUp() {
    ecore_init();
    // The device of the previous test is closed, so that this test's folder is used.
    msg_device::Device::closeDefault();
}

void ServicesTest::TearDown() {
    msg_device::Device::closeDefault();
    ecore_shutdown();
}

int ServicesTest::sim(const std::vector<std::string>& args) {
    lastRun = msg_test::runProgram("msg-sim", args);
    return lastRun.exitCode;
}
