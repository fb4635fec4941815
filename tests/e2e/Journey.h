#ifndef MSG_TESTS_E2E_JOURNEY_H
#define MSG_TESTS_E2E_JOURNEY_H

#include "Watch.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace msg_e2e {

// The newest conversations of the list, below its title.
constexpr Rect TOP_ROWS = {60, 60, 240, 150};
// Another screen differs in this share of the window at least.
constexpr double OTHER_SCREEN = 0.05;
// The option panel's cue on the right edge.
constexpr int CUE_X = 352;

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
