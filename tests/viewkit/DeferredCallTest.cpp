// Work put off until the main loop next turns (a job) or until a canvas has drawn its next frame.
#include "EflTest.h"
#include "view_kit/WFrameWait.h"
#include "view_kit/WJob.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

using view_kit::WFrameWait;
using view_kit::WJob;

namespace {

// How each kind is started and asked, and how its moment is brought about.
struct Job {
    using Type = WJob;
    static void start(WJob& job, Evas*, std::function<void()> onRun) { job.start(std::move(onRun)); }
    static bool pending(const WJob& job) { return job.isPending(); }
    static bool bringMoment(Evas*) { return msg_test::runLoopUntilIdle(); }
};

struct FrameWait {
    using Type = WFrameWait;
    static void start(WFrameWait& wait, Evas* canvas, std::function<void()> onFrame) {
        wait.start(canvas, std::move(onFrame));
    }
    static bool pending(const WFrameWait& wait) { return wait.isWaiting(); }
    // A frame known drawn by a wait started after the one under test.
    static bool bringMoment(Evas* canvas) {
        WFrameWait witness;
        bool drawn = false;
        witness.start(canvas, [&] { drawn = true; });
        evas_damage_rectangle_add(canvas, 0, 0, 1, 1);
        return msg_test::runLoopUntil([&] { return drawn; });
    }
};

enum Action { NOTHING, STOP, DESTROY, START_B };

template <class Kind> class DeferredCallTest : public ::testing::Test {
protected:
    msg_test::TestWindow window;
};
using Kinds = ::testing::Types<Job, FrameWait>;
TYPED_TEST_SUITE(DeferredCallTest, Kinds);

TYPED_TEST(DeferredCallTest, TheCallbackRunsOnceAtItsMomentUnlessStoppedReplacedOrGone) {
    using Kind = TypeParam;
    struct Case {
        const char* what;
        Action before;     // after starting "a", before its moment
        Action inCallback; // by "a"
        std::string log;   // after two moments
        // A job started by a job's callback runs in the same turn of the loop, a wait for the next frame.
        std::string frameLog = log;
    };
    const Case cases[] = {
        {"started", NOTHING, NOTHING, "a@1 "},
        {"stopped before its moment", STOP, NOTHING, ""},
        {"destroyed before its moment", DESTROY, NOTHING, ""},
        {"started again before its moment", START_B, NOTHING, "b@1 "},
        {"stopped by its callback", NOTHING, STOP, "a@1 "},
        {"destroyed by its callback", NOTHING, DESTROY, "a@1 "},
        {"started again by its callback", NOTHING, START_B, "a@1 b@1 ", "a@1 b@2 "},
    };
    Evas* canvas = this->window.evas();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto deferred = std::make_unique<typename Kind::Type>();
        int moment = 0;
        std::string heard; // "name@moment " of each callback run, "name+" while it still showed pending
        auto note = [&](const char* name) {
            heard += std::string(name) + (deferred && Kind::pending(*deferred) ? "+" : "") + "@" +
                     std::to_string(moment) + " ";
        };
        auto act = [&](Action action) {
            if (action == STOP)
                deferred->stop();
            else if (action == DESTROY)
                deferred.reset();
            else if (action == START_B)
                Kind::start(*deferred, canvas, [&] { note("b"); });
        };
        Kind::start(*deferred, canvas, [&] {
            note("a");
            act(c.inCallback);
        });
        act(c.before);
        EXPECT_EQ(heard, "");
        if (deferred) {
            EXPECT_EQ(Kind::pending(*deferred), !c.log.empty());
        }
        for (moment = 1; moment <= 2; ++moment)
            ASSERT_TRUE(Kind::bringMoment(canvas));
        EXPECT_EQ(heard, (std::is_same_v<Kind, Job> ? c.log : c.frameLog));
        EXPECT_FALSE(deferred && Kind::pending(*deferred));
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
