// Work put off until a canvas has drawn its next frame.
#include "EflTest.h"
#include "view_kit/WFrameWait.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using view_kit::WFrameWait;

namespace {

enum Action { NOTHING, STOP, DESTROY, START_B };

struct Waiting {
    explicit Waiting(Evas* c) : canvas(c) {}

    Evas* canvas;
    std::unique_ptr<WFrameWait> wait = std::make_unique<WFrameWait>();
    int frame = 0;
    std::string log; // "name@frame " of each callback run

    void note(const char* name) { log += std::string(name) + "@" + std::to_string(frame) + " "; }

    void act(Action action) {
        if (action == STOP)
            wait->stop();
        else if (action == DESTROY)
            wait.reset();
        else if (action == START_B)
            wait->start(canvas, [this] { note("b"); });
    }

    // Known drawn by a wait started after the one under test.
    bool drawFrame() {
        ++frame;
        WFrameWait witness;
        bool drawn = false;
        witness.start(canvas, [&] { drawn = true; });
        evas_damage_rectangle_add(canvas, 0, 0, 1, 1);
        return msg_test::runLoopUntil([&] { return drawn; });
    }
};

TEST(FrameWaitTest, TheCallbackRunsOnceAfterTheNextFrameUnlessStoppedReplacedOrGone) {
    struct Case {
        const char* what;
        Action before;     // after starting "a", before any frame
        Action inCallback; // by "a"
        std::string log;   // after two frames
    };
    const Case cases[] = {
        {"started", NOTHING, NOTHING, "a@1 "},
        {"stopped before the frame", STOP, NOTHING, ""},
        {"destroyed before the frame", DESTROY, NOTHING, ""},
        {"started again before the frame", START_B, NOTHING, "b@1 "},
        {"destroyed by its callback", NOTHING, DESTROY, "a@1 "},
        {"started again by its callback", NOTHING, START_B, "a@1 b@2 "},
    };
    msg_test::TestWindow window;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Waiting w(window.evas());
        w.wait->start(w.canvas, [&] {
            w.note("a");
            w.act(c.inCallback);
        });
        w.act(c.before);
        EXPECT_EQ(w.log, "");
        if (w.wait) {
            EXPECT_EQ(w.wait->isWaiting(), !c.log.empty());
        }
        ASSERT_TRUE(w.drawFrame());
        ASSERT_TRUE(w.drawFrame());
        EXPECT_EQ(w.log, c.log);
        EXPECT_FALSE(w.wait && w.wait->isWaiting());
    }
}

TEST(FrameWaitTest, TheCanvasMayGoWhileAFrameIsAwaited) {
    msg_test::ToolkitErrors errors;
    bool called = false;
    WFrameWait wait;
    auto* window = new msg_test::TestWindow;
    wait.start(window->evas(), [&] { called = true; });
    delete window;
    // The canvas itself is freed when the loop next turns.
    msg_test::runLoopUntilIdle();
    EXPECT_FALSE(wait.isWaiting());
    EXPECT_FALSE(called);
    wait.stop();
    // Neither the stop nor the destructor calls on the canvas that went.
    EXPECT_EQ(errors.containing(""), std::vector<std::string>{});
}

} // namespace
