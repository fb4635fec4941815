// MIME kinds and the temporary copies handed to other applications.
#include "viewer/media/MVUtility.h"
#include "LogCapture.h"
#include "TempDir.h"

#include <Ecore_File.h>
#include <glib.h>
#include <gtest/gtest.h>

#include <string>

using namespace msg_app::msg_viewer;

namespace {

TEST(MVUtilityTest, MimeTypesAndTheirDisplayTypes) {
    struct Case {
        const char* mime;
        int displayType;
    } cases[] = {
        // (The common kinds are drawn by the bubble's markup and media views, whose tests read them.)
        {"image/vnd.wap.wbmp", DISPLAY_IMAGE},
        {"audio/x-wav", DISPLAY_AUDIO},
        {"application/pdf", DISPLAY_OTHER},
        // Not in the table: never a row, whatever its form.
        {"application/vnd.vendor-specific", -1},
        {"application/x-unheard-of", -1},
        {"image", -1},
        {"chemical/x-pdb", -1},
        {"", -1},
    };
    for (const auto& c : cases) {
        msg_store::Content content;
        content.mimeType = c.mime;
        EXPECT_EQ(get_display_type(content), c.displayType) << c.mime;
    }
    msg_test::LogCapture log;
    EXPECT_EQ(get_content_mime_type(nullptr), -1);
    EXPECT_TRUE(log.contains("!strType is nullptr"));
    EXPECT_EQ(get_content_mime_type("Video"), MIME_VIDEO);
    EXPECT_EQ(get_content_mime_type("*"), MIME_ANY);
}

TEST(MVUtilityTest, CopiesOfEquallyNamedFilesNeverMeetAndGoWithTheirFolder) {
    msg_test::TempDevice device;
    msg_test::TempDir first("msg-media-a"), second("msg-media-b");
    std::string a = first.file("image.jpg"), b = second.file("image.jpg");
    ASSERT_TRUE(g_file_set_contents(a.c_str(), "sunset", -1, nullptr));
    ASSERT_TRUE(g_file_set_contents(b.c_str(), "harbour", -1, nullptr));

    std::string copyA, copyB, again;
    ASSERT_TRUE(create_temp_file(a.c_str(), copyA));
    ASSERT_TRUE(create_temp_file(b.c_str(), copyB));
    EXPECT_NE(copyA, copyB);
    EXPECT_EQ(copyA.substr(copyA.rfind('/')), "/image.jpg") << "the copy keeps the file's name";
    EXPECT_EQ(copyA.compare(0, get_temp_file_dir().size(), get_temp_file_dir()), 0);
    gchar* text = nullptr;
    ASSERT_TRUE(g_file_get_contents(copyB.c_str(), &text, nullptr, nullptr));
    EXPECT_STREQ(text, "harbour");
    g_free(text);

    // The same file again reuses its copy; a file that changed under the same path is copied anew.
    ASSERT_TRUE(create_temp_file(a.c_str(), again));
    EXPECT_EQ(again, copyA);
    ASSERT_TRUE(g_file_set_contents(a.c_str(), "sunrise over the bay", -1, nullptr));
    ASSERT_TRUE(create_temp_file(a.c_str(), again));
    ASSERT_TRUE(g_file_get_contents(again.c_str(), &text, nullptr, nullptr));
    EXPECT_STREQ(text, "sunrise over the bay");
    g_free(text);

    std::string untouched = "kept";
    EXPECT_FALSE(create_temp_file(first.file("missing.jpg").c_str(), untouched));
    EXPECT_FALSE(create_temp_file(nullptr, untouched));
    EXPECT_EQ(untouched, "kept");

    remove_temp_file_dir();
    EXPECT_FALSE(ecore_file_exists(copyA.c_str()));
    EXPECT_FALSE(ecore_file_exists(get_temp_file_dir().c_str()));
    remove_temp_file_dir(); // nothing left: harmless
    EXPECT_TRUE(ecore_file_exists(a.c_str())) << "originals stay";
}

} // namespace
