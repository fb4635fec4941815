// A fresh device and a main loop for each test, and a way to change the device from another process.
#ifndef MSG_TESTS_SERVICES_SERVICESFIXTURE_H
#define MSG_TESTS_SERVICES_SERVICESFIXTURE_H

#include "CommonDeviceTest.h"
#include "Programs.h"

#include <string>
#include <vector>

class ServicesTest : public CommonDeviceTest {
protected:
    // Runs msg-sim with the arguments, keeps its output in lastRun and returns its exit code.
    int sim(const std::vector<std::string>& args) {
        lastRun = msg_test::runSim(args);
        return lastRun.exitCode;
    }

    msg_test::ProgramRun lastRun;
};

#endif
