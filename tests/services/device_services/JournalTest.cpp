// The platform journal, the usage log and trace marks.
#include "ServicesFixture.h"

#include "AppRegistry.h"
#include "JournalStore.h"
#include "bundle.h"
#include "journal.h"
#include "trace.h"
#include "vconf.h"
#include "vorlane_log_manager.h"

#include <string>

using msg_services::JournalStore;

using JournalTest = ServicesTest;

TEST_F(JournalTest, JournalLinesKeepTheirOrderAndText) {
    ASSERT_EQ(journal_log("MESSAGE", "SMS_MSG_OPENED"), JOURNAL_ERROR_NONE);
    ASSERT_EQ(journal_log("MESSAGE", "MMS_MSG_OPENED %s", "+15551234"), JOURNAL_ERROR_NONE);
    ASSERT_EQ(journal_log("MESSAGE", "%s", "100% text"), JOURNAL_ERROR_NONE);
    auto entries = JournalStore::list("journal");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].text, "SMS_MSG_OPENED");
    EXPECT_EQ(entries[1].text, "MMS_MSG_OPENED +15551234");
    EXPECT_EQ(entries[2].text, "100% text");
    EXPECT_EQ(entries[0].category, "MESSAGE");
    EXPECT_EQ(entries[0].app, msg_services::AppRegistry::currentAppId());
    EXPECT_LT(entries[0].seq, entries[1].seq);
    EXPECT_EQ(JournalStore::list("journal", 1).front().text, "100% text");

    EXPECT_EQ(journal_log(nullptr, "x"), JOURNAL_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(journal_log("", "x"), JOURNAL_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(journal_log("MESSAGE", "%s", std::string(JOURNAL_TEXT_MAX + 1, 'x').c_str()),
              JOURNAL_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(journal_log("MESSAGE", "%s", "\xed\xa0\x80"), JOURNAL_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(JournalStore::list("journal").size(), 3u);
}

TEST_F(JournalTest, UsageEventsGoToTheUsageLog) {
    vorlane_log_manager_h manager = nullptr;
    ASSERT_EQ(vorlane_log_manager_create(&manager), VORLANE_LOG_MANAGER_ERROR_NONE);
    bundle* data = bundle_create();
    bundle_add_str(data, "app_id", "com.vorlane.message");
    bundle_add_str(data, "feature", "RPYI");
    bundle_add_str(data, "extra", "Tap");
    EXPECT_EQ(vorlane_log_manager_insert(manager, VORLANE_LOG_MANAGER_URI_USE_APP_FEATURE_SURVEY, data),
              VORLANE_LOG_MANAGER_ERROR_NONE);
    EXPECT_EQ(vorlane_log_manager_insert(manager, "content://elsewhere/log/other", data),
              VORLANE_LOG_MANAGER_ERROR_NOT_SUPPORTED);
    bundle_del(data, "extra");
    bundle_del(data, "feature");
    bundle_add_str(data, "feature", "CALL");
    EXPECT_EQ(vorlane_log_manager_insert(manager, VORLANE_LOG_MANAGER_URI_USE_APP_FEATURE_SURVEY, data),
              VORLANE_LOG_MANAGER_ERROR_NONE);
    bundle_del(data, "feature");
    EXPECT_EQ(vorlane_log_manager_insert(manager, VORLANE_LOG_MANAGER_URI_USE_APP_FEATURE_SURVEY, data),
              VORLANE_LOG_MANAGER_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(vorlane_log_manager_insert(nullptr, VORLANE_LOG_MANAGER_URI_USE_APP_FEATURE_SURVEY, data),
              VORLANE_LOG_MANAGER_ERROR_INVALID_PARAMETER);
    bundle_free(data);
    vorlane_log_manager_destroy(manager);

    auto usage = JournalStore::list("usage");
    ASSERT_EQ(usage.size(), 2u);
    EXPECT_EQ(usage[0].app, "com.vorlane.message");
    EXPECT_EQ(usage[0].category, "RPYI");
    EXPECT_EQ(usage[0].text, "Tap");
    EXPECT_EQ(usage[1].category, "CALL");
    EXPECT_EQ(usage[1].text, "");
    EXPECT_TRUE(JournalStore::list("journal").empty());
}

TEST_F(JournalTest, TracesAreRecordedWhenTheDeviceAsks) {
    // The setting is read once per process, at the first trace.
    ASSERT_EQ(vconf_set_bool("memory/private/trace/enabled", 1), VCONF_OK);
    trace_begin("load %d", 7);
    trace_begin("inner");
    trace_end();
    trace_end();
    trace_end(); // unbalanced: ignored
    auto traces = JournalStore::list("trace");
    ASSERT_EQ(traces.size(), 4u);
    EXPECT_EQ(traces[0].category + " " + traces[0].text, "begin load 7");
    EXPECT_EQ(traces[1].category + " " + traces[1].text, "begin inner");
    EXPECT_EQ(traces[2].category + " " + traces[2].text, "end inner");
    EXPECT_EQ(traces[3].category + " " + traces[3].text, "end load 7");
    ASSERT_TRUE(JournalStore::clear("trace"));
    EXPECT_TRUE(JournalStore::list("trace").empty());
}
