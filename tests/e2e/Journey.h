#ifndef MSG_TESTS_E2E_JOURNEY_H
#define MSG_TESTS_E2E_JOURNEY_H

#include "Watch.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace msg_e2e {

// One virtual display for all journeys; each journey a watch of its own, on a
// fresh demo device, whose pictures and log are kept when it fails.
class Journey : public testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    Watch& watch() { return *_watch; }

    static std::unique_ptr<VirtualDisplay> _display;
    static std::string _startError;
    std::string _folder;
    std::unique_ptr<Watch> _watch;
};

} // namespace msg_e2e

#endif
