// Recipient validation and list splitting of the composer.
#include "compose/MCUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using msg_app::compose::MCUtil;

namespace {

TEST(RecipientUtilTest, Validators) {
    const struct {
        const char* address;
        bool strictNumber;
        bool looseNumber;
        bool email;
        bool recipient;
    } cases[] = {
        {"01012345678", true, true, false, true},
        {"010-1234 (5678)", false, true, false, false},
        {"*#06#", true, true, false, true},
        {"+12", true, true, false, false}, // international numbers need four characters
        {"abc", false, false, false, false},
        {"user@example.com", false, false, true, false},
        {"us er@ex ample.c", false, false, true, false},
        {"", false, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(c.strictNumber, MCUtil::isValidPhoneNumber(c.address, true));
        EXPECT_EQ(c.looseNumber, MCUtil::isValidPhoneNumber(c.address, false));
        EXPECT_EQ(c.email, MCUtil::isValidEmailAddress(c.address));
        EXPECT_EQ(c.recipient, MCUtil::isValidRecipient(c.address));
    }
    EXPECT_FALSE(MCUtil::isValidPhoneNumber("*#*#", true));
    EXPECT_FALSE(MCUtil::isValidPhoneNumber(nullptr, false));
    EXPECT_FALSE(MCUtil::isValidEmailAddress(std::string(251, 'a') + "@b.com"));
    EXPECT_EQ(MCUtil::ADDRESS_TYPE_EMAIL, MCUtil::getAddressType("a@b.kr"));
    EXPECT_EQ(MCUtil::ADDRESS_TYPE_INVALID, MCUtil::getAddressType("hello"));
}

TEST(RecipientUtilTest, Splitting) {
    const struct {
        const char* text;
        std::vector<std::string> bySeparator;
        std::vector<std::string> normalized;
    } cases[] = {
        {"111;222,333", {"111", "222", "333"}, {"111", "222", "333"}},
        {"111,,222", {"111", "", "222"}, {"111", "222"}},
        {"(02) 555-1234;+1 650 555", {"(02) 555-1234", "+1 650 555"}, {"025551234", "+1650555"}},
        {"", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<std::string> pieces;
        MCUtil::getRecipientListBySeparator(c.text, ",;", pieces);
        EXPECT_EQ(c.bySeparator, pieces);
        std::string text = c.text;
        std::vector<std::string> normalized;
        MCUtil::getNormalizedRecipientList(text, normalized);
        EXPECT_EQ(c.normalized, normalized);
    }
    std::vector<std::string> untouched{"x"};
    MCUtil::getRecipientListBySeparator("1;2", nullptr, untouched);
    EXPECT_EQ(std::vector<std::string>{"x"}, untouched);
}

} // namespace
