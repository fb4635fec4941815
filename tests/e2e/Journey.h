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
// The first row of the conversation list.
constexpr int ROW_Y = 185;
// Where the select mode's button comes up, and the button.
constexpr Rect BOTTOM_AREA = {120, 320, 120, 40};
constexpr int BOTTOM_BUTTON_Y = 335;
// A drag of half the screen moves a list by several rows.
constexpr int DRAG_FROM_Y = 280;
constexpr int DRAG_TO_Y = 100;

// One virtual display for all journeys; each journey a watch of its own, on a
// fresh demo device, whose pictures and log are kept when it fails.
class Journey : public testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    Watch& watch() { return *_watch; }
    // Taps at (x, y) and waits until another screen than `from` has settled; that screen in `shown`.
    bool tapTo(const Frame& from, int x, int y, const std::string& name, Frame* shown = nullptr);
    // Taps the first conversation of the list; the conversation as it opens.
    Frame openFirstConversation();

    static std::unique_ptr<VirtualDisplay> _display;
    static std::string _startError;
    std::string _folder;
    std::unique_ptr<Watch> _watch;
};

} // namespace msg_e2e

#endif
