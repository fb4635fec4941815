#include "EflTest.h"

#include <glib.h>
#include <gtest/gtest.h>
#include <qel.h>

#include <cstdlib>

#include <string>

// The match callback deciding what is linked is exercised by the cut-link manager's tests.
namespace {

TEST(CutLinkTest, NumbersAndLinksBecomeAnchorsAndTheRestOfTheTextIsKept) {
    msg_test::TestWindow window;
    Evas_Object* entry = elm_entry_add(window.win());
    elm_entry_editable_set(entry, EINA_FALSE);
    Qel_Cut_Link* link = qel_cut_link_add(entry, 39);
    ASSERT_NE(link, nullptr);
    ASSERT_TRUE(qel_cut_link_set_tag(link, QEL_CUT_LINK_SCHEME_PHONE, "<u>", "</u>"));
    ASSERT_TRUE(
        qel_cut_link_add_scheme(link, "vorlaneapps:", "vorlaneapps://ProductDetail/[0-9a-z_\\.\\-]+"));
    EXPECT_FALSE(qel_cut_link_add_scheme(link, "vorlaneapps:", "x"));
    EXPECT_FALSE(qel_cut_link_add_scheme(link, "bad:", "("));
    const struct {
        const char* text;
        int isMarkup;
        const char* expected; // a part of the result
    } cases[] = {
        {"Call 010-1234-5678.", 1, "Call <a href=_tel:010-1234-5678><u>010-1234-5678</u></a>."},
        {"see https://example.com/a?b=1&amp;c=2.", 1,
         "<a href=_uri:https://example.com/a?b=1&amp;c=2>https://example.com/a?b=1&amp;c=2</a>."},
        {"get vorlaneapps://ProductDetail/app.one now", 1,
         "<a href=_vorlaneapps:vorlaneapps://ProductDetail/app.one>"},
        // Plain text is escaped first; tags and existing anchors are left alone.
        {"a<b & 0101234567", 0, "a&lt;b &amp; <a href=_tel:0101234567><u>0101234567</u></a>"},
        {"<b>012-345-6789</b><a href=x>98765432</a>", 1,
         "<b><a href=_tel:012-345-6789><u>012-345-6789</u></a></b><a href=x>98765432</a>"},
        // Stray bytes of a message once crashed the matching engine; they show as replacement characters.
        {"mail zoe@ehample.org, \\\\\\\\server\\\\share and srovteer\\\\sha5  \xB7nd s 2024-03-05", 0,
         "sha5  \uFFFDnd s "},
        // Letters the escaping names with long entities ("&upsilon;") once lost their ';' off a link's end.
        {"www.e.kr/\xCE\xA5; ok", 0, "</a>; ok"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(qel_cut_link_set_text(link, c.text, c.isMarkup), QEL_CUT_LINK_ERROR_NONE);
        std::string out = qel_cut_link_get_text(link);
        EXPECT_NE(out.find(c.expected), std::string::npos) << out;
        EXPECT_STREQ(elm_object_text_get(entry), out.c_str());
        if (!c.isMarkup) {
            // The anchors add nothing to what a reader sees.
            gchar* valid = g_utf8_make_valid(c.text, -1);
            char* shown = elm_entry_markup_to_utf8(out.c_str());
            EXPECT_STREQ(shown, valid);
            free(shown);
            g_free(valid);
        }
    }
    EXPECT_EQ(qel_cut_link_set_text(link, "<b unclosed", 1), QEL_CUT_LINK_ERROR_INVALID_MARKUP);
    EXPECT_EQ(qel_cut_link_set_text(nullptr, "x", 1), QEL_CUT_LINK_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(qel_cut_link_add(entry, 0), nullptr);
    qel_cut_link_delete(link);
}

} // namespace
