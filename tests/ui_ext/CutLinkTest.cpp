#include "EflTest.h"

#include <gtest/gtest.h>
#include <qel.h>

#include <string>
#include <vector>

namespace {

struct Seen {
    std::vector<std::string> candidates;
    bool linkUris = true;
};

Eina_Bool matchCb(void* data, const char*, const char* scheme, const char* start, const char* end) {
    auto* seen = static_cast<Seen*>(data);
    seen->candidates.push_back(std::string(scheme) + std::string(start, end));
    if (!strcmp(scheme, QEL_CUT_LINK_SCHEME_URI))
        return seen->linkUris;
    return !strcmp(scheme, QEL_CUT_LINK_SCHEME_PHONE) || !strcmp(scheme, "vorlaneapps:");
}

class CutLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        entry = elm_entry_add(window.win());
        elm_entry_editable_set(entry, EINA_FALSE);
        link = qel_cut_link_add(entry, 39);
        ASSERT_NE(link, nullptr);
    }
    void TearDown() override { qel_cut_link_delete(link); }

    std::string linked(const char* text, int isMarkup = 1) {
        EXPECT_EQ(qel_cut_link_set_text(link, text, isMarkup), QEL_CUT_LINK_ERROR_NONE);
        return qel_cut_link_get_text(link);
    }

    msg_test::TestWindow window;
    Evas_Object* entry = nullptr;
    Qel_Cut_Link* link = nullptr;
};

TEST_F(CutLinkTest, PhoneNumbersAndLinksBecomeAnchorsWithTheirTags) {
    ASSERT_TRUE(qel_cut_link_set_tag(link, QEL_CUT_LINK_SCHEME_PHONE, "<u>", "</u>"));
    std::string out = linked("Call 010-1234-5678 or see https://example.com/a?b=1&amp;c=2.");
    EXPECT_NE(out.find("<a href=_tel:010-1234-5678><u>010-1234-5678</u></a>"), std::string::npos) << out;
    EXPECT_NE(
        out.find("<a href=_uri:https://example.com/a?b=1&amp;c=2>https://example.com/a?b=1&amp;c=2</a>."),
        std::string::npos)
        << out;
    EXPECT_STREQ(elm_object_text_get(entry), out.c_str());
}

TEST_F(CutLinkTest, DatesTimesAndNetworkPathsClaimTheirTextWithoutBeingLinked) {
    std::string out = linked("Meet 2024-05-01 at 10:30, file \\\\server\\share");
    EXPECT_EQ(out.find("<a "), std::string::npos) << out;
}

TEST_F(CutLinkTest, TheMatchCallbackDecidesAndSeesEveryCandidate) {
    Seen seen;
    seen.linkUris = false;
    ASSERT_TRUE(qel_cut_link_set_match_cb(link, QEL_CUT_LINK_SCHEME_URI, matchCb, &seen));
    ASSERT_TRUE(qel_cut_link_set_match_cb(link, QEL_CUT_LINK_SCHEME_PHONE, matchCb, &seen));
    ASSERT_TRUE(qel_cut_link_set_match_cb(link, QEL_CUT_LINK_SCHEME_DATETIME, matchCb, &seen));
    std::string out = linked("www.example.com 555-1234 12:45");
    EXPECT_EQ(seen.candidates,
              (std::vector<std::string>{"uri:www.example.com", "tel:555-1234", "datetime:12:45"}));
    EXPECT_EQ(out, "www.example.com <a href=_tel:555-1234>555-1234</a> 12:45");
    EXPECT_FALSE(qel_cut_link_set_match_cb(link, "nope:", matchCb, &seen));
}

TEST_F(CutLinkTest, CustomSchemesPlainTextAndExistingMarkup) {
    ASSERT_TRUE(
        qel_cut_link_add_scheme(link, "vorlaneapps:", "vorlaneapps://ProductDetail/[0-9a-z_\\.\\-]+"));
    EXPECT_FALSE(qel_cut_link_add_scheme(link, "vorlaneapps:", "x"));
    EXPECT_FALSE(qel_cut_link_add_scheme(link, "bad:", "("));
    std::string out = linked("get vorlaneapps://ProductDetail/app.one now");
    EXPECT_NE(out.find("<a href=_vorlaneapps:vorlaneapps://ProductDetail/app.one>"), std::string::npos)
        << out;

    // Plain text is escaped first; tags and existing anchors are left alone.
    out = linked("a<b & 0101234567", 0);
    EXPECT_EQ(out, "a&lt;b &amp; <a href=_tel:0101234567>0101234567</a>");
    out = linked("<b>012-345-6789</b><a href=x>98765432</a>");
    EXPECT_EQ(out, "<b><a href=_tel:012-345-6789>012-345-6789</a></b><a href=x>98765432</a>");
    // Stray bytes of a message once crashed the matching engine; they show as replacement characters.
    out =
        linked("mail zoe@ehample.org, \\\\\\\\server\\\\share and srovteer\\\\sha5  \xB7nd s 2024-03-05", 0);
    EXPECT_NE(out.find("sha5  \uFFFDnd s "), std::string::npos) << out;
    EXPECT_EQ(qel_cut_link_set_text(link, "<b unclosed", 1), QEL_CUT_LINK_ERROR_INVALID_MARKUP);
    EXPECT_EQ(qel_cut_link_set_text(nullptr, "x", 1), QEL_CUT_LINK_ERROR_INVALID_PARAMETER);
}

TEST_F(CutLinkTest, PowerSavingLinksOnlyPhoneNumbers) {
    Qel_Cut_Link* phoneOnly = qel_cut_link_add(entry, QEL_CUT_LINK_TYPE_PHONE);
    EXPECT_EQ(qel_cut_link_set_text(phoneOnly, "https://a.com 01012345678", 1), QEL_CUT_LINK_ERROR_NONE);
    EXPECT_STREQ(qel_cut_link_get_text(phoneOnly), "https://a.com <a href=_tel:01012345678>01012345678</a>");
    qel_cut_link_delete(phoneOnly);
    EXPECT_EQ(qel_cut_link_add(nullptr, 39), nullptr);
    EXPECT_EQ(qel_cut_link_add(entry, 0), nullptr);
}

} // namespace
