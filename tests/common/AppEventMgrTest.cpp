#include "common/MCommonAppEventMgr.h"

#include "LogCapture.h"

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

TEST_F(AppEventMgrTest, ListenersHearEventsInRegistrationOrder) {
    RecordingListener a(journal, "a"), b(journal, "b"), c(journal, "c");
    ASSERT_TRUE(mgr->addListener(&b));
    ASSERT_TRUE(mgr->addListener(&a));
    ASSERT_TRUE(mgr->addListener(&c));
    mgr->emit(APP_EVENT_CONTACTS_CHANGED);
    EXPECT_EQ((std::vector<std::string>{"b:8", "a:8", "c:8"}), journal);
    EXPECT_EQ(mgr, MCommonAppEventMgr::getInstance());
}

TEST_F(AppEventMgrTest, NullAndDoubleRegistrationAreRefused) {
    msg_test::LogCapture log;
    RecordingListener a(journal, "a");
    EXPECT_FALSE(mgr->addListener(nullptr));
    ASSERT_TRUE(mgr->addListener(&a));
    EXPECT_FALSE(mgr->addListener(&a));
    mgr->emit(APP_EVENT_FONT_CHANGED);
    EXPECT_EQ((std::vector<std::string>{"a:10"}), journal);

    mgr->removeListener(nullptr);
    EXPECT_EQ(2, log.count("listener is null."));
}

TEST_F(AppEventMgrTest, RemovedListenersHearNothingAndMayRegisterAgain) {
    RecordingListener a(journal, "a"), b(journal, "b");
    mgr->addListener(&a);
    mgr->addListener(&b);
    mgr->removeListener(&a);
    mgr->emit(APP_EVENT_LANGUAGE_CHANGED);
    EXPECT_TRUE(mgr->addListener(&a));
    mgr->emit(APP_EVENT_REGION_FORMAT_CHANGED);
    mgr->removeAllListeners();
    mgr->emit(APP_EVENT_FONT_CHANGED);
    EXPECT_EQ((std::vector<std::string>{"b:4", "b:5", "a:5"}), journal);
}

TEST_F(AppEventMgrTest, LifecycleEventsBecomeTheAppState) {
    EXPECT_EQ(0, mgr->getAppState());
    mgr->emit(APP_EVENT_PAUSED);
    EXPECT_EQ(2, mgr->getAppState());
    mgr->emit(APP_EVENT_CONTACTS_CHANGED);
    EXPECT_EQ(2, mgr->getAppState());
    mgr->emit(APP_EVENT_RESUMED);
    mgr->emit(APP_EVENT_MSG_STORE_READY);
    EXPECT_EQ(1, mgr->getAppState());
    mgr->emit(APP_EVENT_TERMINATING);
    EXPECT_EQ(3, mgr->getAppState());
}

TEST_F(AppEventMgrTest, AListenerMayRemoveItselfOrALaterOneWhileBeingCalled) {
    RecordingListener a(journal, "a"), b(journal, "b"), c(journal, "c");
    a.onEvent = [&] {
        mgr->removeListener(&a);
        mgr->removeListener(&b);
    };
    mgr->addListener(&a);
    mgr->addListener(&b);
    mgr->addListener(&c);
    mgr->emit(APP_EVENT_RESUMED);
    mgr->emit(APP_EVENT_PAUSED);
    EXPECT_EQ((std::vector<std::string>{"a:1", "c:1", "c:2"}), journal);
}

TEST_F(AppEventMgrTest, AListenerDeletedByAnEarlierOneIsNotCalled) {
    auto* doomed = new RecordingListener(journal, "doomed");
    RecordingListener killer(journal, "killer");
    killer.onEvent = [&] {
        mgr->removeListener(doomed);
        delete doomed;
        doomed = nullptr;
    };
    mgr->addListener(&killer);
    mgr->addListener(doomed);
    mgr->emit(APP_EVENT_TIME_FORMAT_CHANGED);
    EXPECT_EQ((std::vector<std::string>{"killer:9"}), journal);
}

TEST_F(AppEventMgrTest, AListenerAddedDuringEmissionHearsFromTheNextEvent) {
    RecordingListener a(journal, "a"), late(journal, "late");
    a.onEvent = [&] { mgr->addListener(&late); };
    mgr->addListener(&a);
    mgr->emit(APP_EVENT_RESUMED);
    mgr->emit(APP_EVENT_PAUSED);
    EXPECT_EQ((std::vector<std::string>{"a:1", "a:2", "late:2"}), journal);
}

} // namespace
