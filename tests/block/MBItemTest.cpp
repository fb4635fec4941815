// The viewer's rows on real widgets: picture sizes, attachment icons, and hostile texts shown
// literally and in bounded time.
#include "BlockViewFixture.h"
#include "block/MBItem/MBItemAttachFile.h"
#include "block/MBItem/MBItemText.h"
#include "block/MBItem/MBItemThumbnail.h"

#include <glib.h>
#include <gtest/gtest.h>

using msg_app::msg_block::MBItem;
using msg_app::msg_block::MBItemAttachFile;
using msg_app::msg_block::MBItemText;
using msg_app::msg_block::MBItemThumbnail;
using msg_store::Content;

namespace {

class BlockRowTest : public BlockViewFixture {
protected:
    static Evas_Object* content(MBItem* row, const char* part) {
        return elm_object_item_part_content_get(row->getElmObjectItem(), part);
    }
    Content picture(const std::string& path) {
        Content image = part(Content::MEDIA_TYPE_IMAGE, "image/png", "pic.png");
        image.filePath = path;
        return image;
    }
};

TEST_F(BlockRowTest, PicturesFillTheWidthInProportionToTheScaleAndVideosShowTheirStillUnderPlayMarks) {
    std::string broken = device.file("broken.png");
    ASSERT_TRUE(g_file_set_contents(broken.c_str(), "not a picture", -1, nullptr));
    Content video = part(Content::MEDIA_TYPE_VIDEO, "video/mp4", "clip.mp4");
    video.filePath = device.file("clip.mp4"); // not a picture: the thumbnail is what is drawn
    video.thumbnailPath = writePng("thumb.png", 300, 300);
    const struct {
        Content content;
        double scale;
        int w, h;
        const char* playMark;
    } cases[] = {
        {picture(writePng("wide.png", 600, 400)), 1.0, 294, 196, ""},
        {picture(writePng("scaled.png", 600, 400)), 1.5, 441, 294, ""},
        {picture(broken), 1.0, 0, 0, ""}, // a picture without a width keeps its reported size
        {video, 1.0, 294, 294, "img/filtered/detailview/play"},
    };
    double scale = elm_config_scale_get();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content.fileName + " at " + std::to_string(c.scale));
        elm_config_scale_set(c.scale);
        open(receive(mms("", {c.content})));
        std::vector<MBItem*> shown = rows();
        ASSERT_GT(shown.size(), 1u);
        MBItem* row = shown[shown.size() - 2]; // the one above the room that ends every message
        int w = -1, h = -1;
        evas_object_size_hint_min_get(content(row, "elm.icon"), &w, &h);
        elm_config_scale_set(scale);
        ASSERT_EQ(MBItem::THUMBNAIL, row->getType());
        EXPECT_EQ(c.w, w);
        EXPECT_EQ(c.h, h);
        Evas_Object* play = content(row, "elm.icon.bg.play");
        EXPECT_EQ(c.playMark, play ? imageGroup(play) : "");
        ASSERT_TRUE(popViewer());
    }
}

TEST(BlockRowSizeTest, RowHeightIsTruncatedAndCappedWithoutOverflow) {
    int w = 0, h = 0;
    // 294 / 1000 truncates to 0; a tall picture's row is capped, without overflow before the cap.
    const struct {
        int w, h, rowH;
    } sizes[] = {{7, 3, 126}, {1000, 1, 0}, {1, 10000, 400}, {1, 2000000000, 400}};
    for (const auto& c : sizes) {
        ASSERT_TRUE(MBItemThumbnail::fitSize(c.w, c.h, w, h)) << c.w << "x" << c.h;
        EXPECT_EQ(294, w);
        EXPECT_EQ(c.rowH, h) << c.w << "x" << c.h;
    }
    w = h = -7;
    EXPECT_FALSE(MBItemThumbnail::fitSize(0, 50, w, h));
    EXPECT_EQ(-7, w) << "outputs untouched";
}

TEST(BlockRowSizeTest, AttachmentIconIsChosenByMediaTypeThenMimePrefixInAnyCase) {
    const struct {
        Content::MediaType type;
        const char* mime;
        const char* icon;
    } cases[] = {
        {Content::MEDIA_TYPE_AUDIO, "text/x-vCard", "img/filtered/attachment/audio"},
        {Content::MEDIA_TYPE_NONE, "TEXT/X-VCARD; charset=utf-8", "img/filtered/attachment/vcf"},
        {Content::MEDIA_TYPE_NONE, "text/x-vcalendar", "img/filtered/attachment/vcs"},
        {Content::MEDIA_TYPE_NONE, "text/x-vTodo", "img/filtered/attachment/task"},
        {Content::MEDIA_TYPE_NONE, "text/x-vC", "img/filtered/attachment/etc"},
        {Content::MEDIA_TYPE_NONE, "", "img/filtered/attachment/etc"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.icon, MBItemAttachFile::getIconGroup(c.type, c.mime)) << c.mime;
}

TEST_F(BlockRowTest, MarkupInEveryTextIsShownLiterally) {
    const std::string body = "<b>WIN</b> &amp; <font_size=90>big</font_size><br>now";
    const std::string subject = "<color=#f00>Sale</color> & more";
    const std::string fileName = "<item size=900x900 vsize=full href=file:///etc/passwd></item>.vcf";
    Content text = part(Content::MEDIA_TYPE_TEXT, "text/plain", "");
    text.text = body;
    Content file = part(Content::MEDIA_TYPE_NONE, "Text/X-VCalendar", fileName);
    file.isAttachment = true;
    open(receive(mms(subject, {text, file}), "<b>spammer</b>"));
    auto shown = rows();
    ASSERT_EQ(7u, shown.size());
    EXPECT_EQ("<b>spammer</b>", shownPlain(shown[0]));
    EXPECT_EQ(subject, shownPlain(shown[2]));
    EXPECT_EQ(body, shownPlain(shown[4]));
    EXPECT_EQ(fileName, shownPlain(shown[5]));
    EXPECT_EQ("img/filtered/attachment/vcs", imageGroup(content(shown[5], "elm.icon")));
    std::string markup = elm_object_item_part_text_get(shown[4]->getElmObjectItem(), "elm.text");
    EXPECT_EQ(std::string::npos, markup.find("<b>")) << markup;
}

TEST_F(BlockRowTest, ALongBodyReadsOnOverRowsOfOnePartEachUpToTheShownLength) {
    std::string words;
    for (int i = 0; words.size() < 100 * 1000; ++i)
        words += "word" + std::to_string(i) + " ";
    std::string huge(2 * 1024 * 1024, 'x');
    huge.replace(MBItem::MAX_SHOWN_BYTES - 1, 3, "\xE2\x82\xAC"); // a character across the cut
    const std::string ellipsis = "\xE2\x80\xA6";
    for (const std::string& body : {words, huge}) {
        SCOPED_TRACE(body.substr(0, 10));
        open(receive(sms(body)));
        std::vector<MBItem*> shown = rows();
        ASSERT_GT(shown.size(), 3u);
        ASSERT_EQ(MBItem::BOTTOM_PADDING, shown.back()->getType());
        std::string read;
        for (size_t i = 2; i + 1 < shown.size(); ++i) {
            ASSERT_EQ(MBItem::TEXT, shown[i]->getType());
            std::string text = rowText(shown[i]);
            EXPECT_LE(g_utf8_strlen(text.c_str(), -1), static_cast<glong>(MBItemText::PART_CHARS + 1));
            EXPECT_TRUE(g_utf8_validate(text.c_str(), -1, nullptr))
                << "row " << i << " cut inside no character";
            read += text;
        }
        // Parts of words end between words; the last part shown says that more was cut.
        EXPECT_TRUE(body != words || shownPlain(shown[2]).back() == ' ');
        // What is shown reaches the limit, whole: past the character across it.
        ASSERT_GE(read.size(), MBItem::MAX_SHOWN_BYTES + ellipsis.size());
        EXPECT_LT(read.size(), MBItem::MAX_SHOWN_BYTES + MBItemText::PART_CHARS + 2 + ellipsis.size());
        EXPECT_EQ(read.substr(read.size() - ellipsis.size()), ellipsis);
        EXPECT_EQ(read.substr(0, read.size() - ellipsis.size()),
                  body.substr(0, read.size() - ellipsis.size()));
        ASSERT_TRUE(popViewer());
    }

    std::string whole(MBItem::MAX_SHOWN_BYTES, 'y');
    EXPECT_EQ(whole, MBItem::toMarkup(whole)) << "a text at the limit is shown whole";

    // The store keeps only UTF-8; a row given anything else still shows valid text.
    char* plain = elm_entry_markup_to_utf8(MBItem::toMarkup("ok \xFF\xFE end\x01").c_str());
    ASSERT_NE(nullptr, plain);
    std::string shown = plain;
    free(plain);
    EXPECT_TRUE(g_utf8_validate(shown.c_str(), -1, nullptr)) << shown;
    EXPECT_EQ(0u, shown.find("ok ")) << shown;
    EXPECT_NE(std::string::npos, shown.find(" end")) << shown;
    EXPECT_EQ(std::string::npos, shown.find('\x01'));
}

} // namespace
