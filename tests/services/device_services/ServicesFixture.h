// A fresh device and a main loop for each test, and a way to change the device from another process.
#ifndef MSG_TESTS_SERVICES_SERVICESFIXTURE_H
#define MSG_TESTS_SERVICES_SERVICESFIXTURE_H

#include "MainLoop.h"
#include "Programs.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class ServicesTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs msg-sim with the arguments, keeps its output in lastRun and returns its exit code.
    int sim(const std::vector<std::string>& args);

    msg_test::TempDevice device;
    msg_test::ProgramRun lastRun;
};

#endif
