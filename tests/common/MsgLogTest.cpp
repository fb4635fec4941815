#include "common/MsgLog.h"

#include "LogCapture.h"

#include <gtest/gtest.h>
#include <string>

using msg_test::LogCapture;

namespace {

int guardedValue(const int* data) {
    MSG_RETV_IF(!data, -1, "data is nullptr");
    return *data;
}

bool guardedVoidRan = false;
void guardedVoid(const char* text) {
    MSG_RET_IF(!text, "text is nullptr");
    guardedVoidRan = true;
}

} // namespace

TEST(MsgLog, LinesCarryFileFunctionLineLevelAndATagThatCanBeReplaced) {
    LogCapture capture;
    int line = __LINE__ + 1;
    MSG_LOGI("hello %d", 42);
    MSG_LOGE("broken %s", "thing");
    std::string big(5000, 'x');
    MSG_LOGD("%s", big.c_str());
    auto lines = capture.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(std::make_pair(lines[0].tag, lines[0].prio), std::make_pair(std::string("MSG_APP"), DLOG_INFO));
    EXPECT_EQ(lines[0].text, "MsgLogTest.cpp: TestBody(" + std::to_string(line) + ") > hello 42");
    EXPECT_EQ(lines[1].prio, DLOG_ERROR);
    EXPECT_NE(lines[1].text.find("\033[0;31m[ERROR]broken thing\033[0m"), std::string::npos);
    EXPECT_NE(lines[2].text.find(big), std::string::npos) << "long lines are not truncated";

    // The platform writes with its own tag, whatever the application's tag is.
    capture.clear();
    msg_app::log::setTag("MSG_COMPOSE_WITH_A_LONG_TAG");
    MSG_LOGW("one");
    PLAT_LOGW("platform %d", 1);
    msg_app::log::setTag(nullptr);
    MSG_LOGW("two");
    lines = capture.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].tag + " " + lines[1].tag + " " + lines[2].tag,
              "MSG_COMPOSE_WITH_A_LONG_TAG MSG_PLATFORM MSG_APP");
}

TEST(MsgLog, GuardsLogConditionAndResult) {
    LogCapture capture;
    EXPECT_EQ(guardedValue(nullptr), -1);
    EXPECT_TRUE(capture.contains("[ERROR][(!data)] Return value : -1, message : data is nullptr"));
    guardedVoidRan = false;
    guardedVoid(nullptr);
    EXPECT_FALSE(guardedVoidRan);
    EXPECT_TRUE(capture.contains("[ERROR][(!text)] Return message : text is nullptr"));

    capture.clear();
    int value = 7;
    EXPECT_EQ(guardedValue(&value), 7);
    guardedVoid("x");
    EXPECT_TRUE(guardedVoidRan);
    EXPECT_TRUE(capture.lines().empty());
}
