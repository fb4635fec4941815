// A fresh device and a main loop for each test, and a way to change the device from another process.
#ifndef MSG_TESTS_SERVICES_SERVICESFIXTURE_H
#define MSG_TESTS_SERVICES_SERVICESFIXTURE_H

#include "MainLoop.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class ServicesTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the test application with arguments (or MSG_BIN_DIR/<program>) and returns its exit code.
    int runProgram(const std::vector<std::string>& args, const std::string& program = "msg-services-testapp");
    static std::string binDir();

    msg_test::TempDevice device;
    // Standard output and error of the last runProgram.
    std::string lastOutput;
    std::string lastError;
};

#endif
