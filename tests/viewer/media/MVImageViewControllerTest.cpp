// What a picture or video content shows before anything is tapped.
#include "MediaFixture.h"

#include "SimSeedMedia.h"
#include "viewer/media/MVAttachmentViewController.h"
#include "viewer/media/MVImageViewController.h"

#include <Elementary.h>

using msg_app::msg_viewer::MVAttachmentViewController;
using msg_app::msg_viewer::MVImageViewController;
using msg_store::Content;

namespace {

using ImageViewTest = msg_test::MediaFixture;

TEST_F(ImageViewTest, PicturesStillsAndPlaceholders) {
    std::string photo = device.file("photo.png"), still = device.file("still.png");
    ASSERT_TRUE(msg_sim::simWritePng(photo, 40, 30, 120));
    ASSERT_TRUE(msg_sim::simWritePng(still, 40, 30, 240));
    struct Case {
        const char* name;
        Content::MediaType type;
        const char* mime;
        std::string file, thumbnail, shown;
        bool video, playMark;
    } cases[] = {
        {"picture", Content::MEDIA_TYPE_IMAGE, "image/png", photo, "", photo, false, false},
        {"picture by its type only", Content::MEDIA_TYPE_NONE, "image/jpeg", photo, "", photo, false, false},
        {"picture with a thumbnail", Content::MEDIA_TYPE_IMAGE, "image/png", photo, still, still, false,
         false},
        {"picture still on the phone", Content::MEDIA_TYPE_IMAGE, "image/png", "", "", "", false, false},
        {"unreadable picture", Content::MEDIA_TYPE_IMAGE, "image/png", device.file("gone.png"), "", "", false,
         false},
        {"video with a still", Content::MEDIA_TYPE_VIDEO, "video/mp4", "", still, still, true, true},
        {"video by its type only", Content::MEDIA_TYPE_NONE, "video/3gpp", "", still, still, true, true},
        {"video without a still", Content::MEDIA_TYPE_VIDEO, "video/mp4", photo, "", "", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Content content;
        content.mediaType = c.type;
        content.mimeType = c.mime;
        content.filePath = c.file;
        content.thumbnailPath = c.thumbnail;
        auto* view = new MVImageViewController(240, 180, 0, content);
        ASSERT_TRUE(view->create(window->win(), nullptr));
        EXPECT_EQ(view->isVideo(), c.video);
        EXPECT_EQ(view->getShownFile(), c.shown);
        EXPECT_EQ(view->showsPlayMark(), c.playMark);
        Evas_Coord w = 0, h = 0;
        evas_object_size_hint_min_get(
            elm_object_part_content_get(view->getEvasObject(), "bubble.swallow.image"), &w, &h);
        EXPECT_EQ(w, 240);
        EXPECT_EQ(h, 180);
        view->destroy();
    }
}

TEST_F(ImageViewTest, AttachmentMarksByKindAndUnknownTypes) {
    struct Case {
        const char* mime;
        const char* icon;
    } cases[] = {
        {"text/x-vcard", "img/attachment/vcf"},
        {"text/x-vcalendar", "img/attachment/vcs"},
        {"text/x-vtodo", "img/attachment/task"},
        {"application/pdf", "img/attachment/etc"},
        {"application/vnd.vendor-specific", "img/attachment/etc"},
        {"", "img/attachment/etc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mime);
        Content content;
        content.mimeType = c.mime;
        content.isAttachment = true;
        content.fileName = "<b>list</b>.vcf";
        auto* view = new MVAttachmentViewController(3, content);
        ASSERT_TRUE(view->create(window->win(), nullptr));
        const char* file = nullptr;
        const char* group = nullptr;
        elm_image_file_get(elm_object_part_content_get(view->getEvasObject(), "icon"), &file, &group);
        EXPECT_STREQ(group, c.icon);
        // The name is shown as it is, never read as markup.
        EXPECT_STREQ(
            edje_object_part_text_get(elm_layout_edje_get(view->getEvasObject()), "elm.text.filename"),
            "<b>list</b>.vcf");
        view->destroy();
    }
}

} // namespace
