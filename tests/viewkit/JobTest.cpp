// Work put off until the main loop next turns.
#include "EflTest.h"
#include "view_kit/WJob.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using view_kit::WJob;

namespace {

enum Action { NOTHING, STOP, DESTROY, START_B };

struct Owner {
    std::unique_ptr<WJob> job = std::make_unique<WJob>();
    std::string log; // "name " of each callback run, "name+ " if the job still showed pending

    void note(const char* name) {
        log += name;
        log += job && job->isPending() ? "+ " : " ";
    }

    void act(Action action) {
        if (action == STOP)
            job->stop();
        else if (action == DESTROY)
            job.reset();
        else if (action == START_B)
            job->start([this] { note("b"); });
    }
};

TEST(JobTest, TheCallbackRunsOnceWhenTheLoopTurnsUnlessStoppedReplacedOrGone) {
    struct Case {
        const char* what;
        Action before;     // after starting "a", before the loop turns
        Action inCallback; // by "a"
        std::string log;   // once the loop has gone idle
    };
    const Case cases[] = {
        {"started", NOTHING, NOTHING, "a "},
        {"stopped before the loop turns", STOP, NOTHING, ""},
        {"destroyed before the loop turns", DESTROY, NOTHING, ""},
        {"started again before the loop turns", START_B, NOTHING, "b "},
        {"stopped by its callback", NOTHING, STOP, "a "},
        {"destroyed by its callback", NOTHING, DESTROY, "a "},
        {"started again by its callback", NOTHING, START_B, "a b "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Owner o;
        o.job->start([&] {
            o.note("a");
            o.act(c.inCallback);
        });
        o.act(c.before);
        EXPECT_EQ(o.log, "");
        if (o.job) {
            EXPECT_EQ(o.job->isPending(), !c.log.empty());
        }
        ASSERT_TRUE(msg_test::runLoopUntilIdle());
        EXPECT_EQ(o.log, c.log);
        EXPECT_FALSE(o.job && o.job->isPending());
    }
}

} // namespace
