// The application's event bus, and the release of its services at the end.
#include "common/MCommonAppEventMgr.h"
#include "common/SingletonRelease.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace msg_app;

namespace {

class RecordingListener : public IMCommonAppEventListener {
public:
    RecordingListener(std::vector<std::string>& journal, std::string name)
        : _journal(journal), _name(std::move(name)) {}
    void appEventListener(MCommonAppEventType type) override {
        _journal.push_back(_name + ":" + std::to_string(type));
        if (onEvent)
            onEvent();
    }
    std::function<void()> onEvent;

private:
    std::vector<std::string>& _journal;
    std::string _name;
};

class AppEventMgrTest : public ::testing::Test {
protected:
    void TearDown() override {
        mgr->removeAllListeners();
        mgr->emit(APP_EVENT_INITIAL);
    }
    MCommonAppEventMgr* mgr = MCommonAppEventMgr::getInstance();
    std::vector<std::string> journal;
};

TEST_F(AppEventMgrTest, ListenersHearEventsInRegistrationOrderOnceEach) {
    RecordingListener a(journal, "a"), b(journal, "b"), c(journal, "c");
    EXPECT_FALSE(mgr->addListener(nullptr));
    ASSERT_TRUE(mgr->addListener(&b));
    ASSERT_TRUE(mgr->addListener(&a));
    EXPECT_FALSE(mgr->addListener(&a));
    ASSERT_TRUE(mgr->addListener(&c));
    mgr->emit(APP_EVENT_CONTACTS_CHANGED);
    mgr->removeListener(&b);
    mgr->emit(APP_EVENT_LANGUAGE_CHANGED);
    EXPECT_TRUE(mgr->addListener(&b));
    mgr->emit(APP_EVENT_REGION_FORMAT_CHANGED);
    mgr->removeAllListeners();
    mgr->emit(APP_EVENT_FONT_CHANGED);
    EXPECT_EQ((std::vector<std::string>{"b:8", "a:8", "c:8", "a:4", "c:4", "a:5", "c:5", "b:5"}), journal);
}

TEST_F(AppEventMgrTest, LifecycleEventsBecomeTheAppState) {
    const std::pair<MCommonAppEventType, int> steps[] = {{APP_EVENT_PAUSED, 2},
                                                         {APP_EVENT_CONTACTS_CHANGED, 2},
                                                         {APP_EVENT_RESUMED, 1},
                                                         {APP_EVENT_MSG_STORE_READY, 1},
                                                         {APP_EVENT_TERMINATING, 3}};
    EXPECT_EQ(0, mgr->getAppState());
    for (const auto& [event, state] : steps) {
        mgr->emit(event);
        EXPECT_EQ(state, mgr->getAppState()) << event;
    }
}

TEST_F(AppEventMgrTest, ListenersMayChangeTheListWhileBeingCalled) {
    // The first removes itself and a later one, which is then deleted; the last adds one, which
    // hears from the next event on.
    RecordingListener a(journal, "a"), c(journal, "c"), late(journal, "late");
    auto* b = new RecordingListener(journal, "b");
    a.onEvent = [&] {
        mgr->removeListener(&a);
        mgr->removeListener(b);
        delete b;
    };
    c.onEvent = [&] { mgr->addListener(&late); };
    for (RecordingListener* listener : {&a, b, &c})
        mgr->addListener(listener);
    mgr->emit(APP_EVENT_RESUMED);
    mgr->emit(APP_EVENT_PAUSED);
    EXPECT_EQ((std::vector<std::string>{"a:1", "c:1", "c:2", "late:2"}), journal);
}

std::vector<std::string> released;

const singleton_release::Release releaseA = [] { released.push_back("a"); };
const singleton_release::Release releaseB = [] { released.push_back("b"); };
const singleton_release::Release releaseD = [] { released.push_back("d"); };
// A service whose release reaches another one, created on the way.
const singleton_release::Release releaseC = [] {
    released.push_back("c");
    singleton_release::add(releaseD);
};

TEST(SingletonRelease, RunsNewestFirstOnceEachIncludingThoseAddedMeanwhile) {
    singleton_release::run_all();
    released.clear();
    singleton_release::add(releaseA);
    singleton_release::add(releaseB);
    singleton_release::add(releaseA); // created again after a release: now the newest
    singleton_release::add(releaseC);
    singleton_release::add(nullptr);
    singleton_release::run_all();
    EXPECT_EQ(released, (std::vector<std::string>{"c", "d", "a", "b"}));

    singleton_release::run_all();
    EXPECT_EQ(released.size(), 4u);
}

} // namespace
