// The platform journal; the usage log is checked through the application's own entries.
#include "ServicesFixture.h"

#include "AppRegistry.h"
#include "JournalStore.h"
#include "journal.h"

#include <string>
#include <vector>

using msg_services::JournalStore;

using JournalTest = ServicesTest;

TEST_F(JournalTest, JournalLinesKeepTheirOrderAndTextAndBadOnesAreRefused) {
    ASSERT_EQ(journal_log("MESSAGE", "SMS_MSG_OPENED"), JOURNAL_ERROR_NONE);
    ASSERT_EQ(journal_log("MESSAGE", "MMS_MSG_OPENED %s", "+15551234"), JOURNAL_ERROR_NONE);
    ASSERT_EQ(journal_log("MESSAGE", "%s", "100% text"), JOURNAL_ERROR_NONE);
    EXPECT_EQ(journal_log(nullptr, "x"), JOURNAL_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(journal_log("MESSAGE", "%s", std::string(JOURNAL_TEXT_MAX + 1, 'x').c_str()),
              JOURNAL_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(journal_log("MESSAGE", "%s", "\xed\xa0\x80"), JOURNAL_ERROR_INVALID_PARAMETER);
    auto entries = JournalStore::list("journal");
    std::vector<std::string> lines;
    for (const auto& entry : entries)
        lines.push_back(entry.category + " " + entry.text);
    ASSERT_EQ(lines, (std::vector<std::string>{"MESSAGE SMS_MSG_OPENED", "MESSAGE MMS_MSG_OPENED +15551234",
                                               "MESSAGE 100% text"}));
    EXPECT_EQ(entries[0].app, msg_services::AppRegistry::currentAppId());
    EXPECT_LT(entries[0].seq, entries[1].seq);
}
