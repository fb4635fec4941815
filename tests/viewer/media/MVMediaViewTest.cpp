// The media contents of a bubble: a sound clip and the one player behind it, on real GStreamer and
// real widgets; what a picture, video or attachment shows before anything is tapped.
#include "DeviceSettings.h"

#include "EflTest.h"
#include "JournalStore.h"
#include "LogCapture.h"
#include "SimSeedMedia.h"
#include "TempDir.h"
#include "ViewerTestSupport.h"
#include "common/CommonUiHelper.h"
#include "common/SingletonRelease.h"
#include "common/ui/MCommonTheme.h"
#include "device/Device.h"
#include "viewer/media/MVAttachmentViewController.h"
#include "viewer/media/MVAudioViewController.h"
#include "viewer/media/MVImageViewController.h"
#include "viewer/media/MVSoundPlayer.h"
#include "viewer/media/MVUtility.h"

#include <Ecore_File.h>
#include <Elementary.h>
#include <glib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

using msg_app::MVSoundPlayer;
using msg_services::SettingValue;
using msg_store::Content;
using namespace msg_app::msg_viewer;

namespace {

// A window on a fresh device whose sound plays silently in real time, with the demo clip in it.
class MediaFixture : public ::testing::Test {
protected:
    static constexpr int DEMO_MS = 1500;

    void SetUp() override {
        setenv("LANGUAGE", "en", 1);
        std::setlocale(LC_ALL, "C.UTF-8");
        msg_device::Device::closeDefault();
        setSetting("memory/private/sound/output", SettingValue::ofString("silent"));
        ASSERT_TRUE(msg_app::common_ui_helper::set_textdomain());
        demoClip = device.file("demo-voice.wav");
        ASSERT_TRUE(msg_sim::simWriteWav(demoClip, 440, DEMO_MS));
        window = std::make_unique<msg_test::TestWindow>();
        ASSERT_TRUE(msg_app::MCommonTheme::getInstance()->init());
    }
    void TearDown() override {
        // The player and the theme go before the device they write to.
        msg_app::singleton_release::run_all();
        window.reset();
        msg_app::MCommonTheme::getInstance()->deinit();
        msg_test::runLoopUntilIdle();
        msg_device::Device::closeDefault();
    }
    // A sound content of the file; the demo clip by default.
    Content clip(int contentId, const std::string& path = "") const {
        Content content =
            msg_test::contentOf(Content::MEDIA_TYPE_AUDIO, "audio/x-wav", path.empty() ? demoClip : path);
        content.contentId = contentId;
        return content;
    }
    // The power journal's entries since the test began: "lock 2 0", "unlock 2", ...
    std::vector<std::string> powerJournal() const {
        std::vector<std::string> out;
        for (const auto& entry : msg_services::JournalStore::list("power"))
            out.push_back(entry.category + " " + entry.text);
        return out;
    }
    // Whether some text of the canvas contains the text: popups are not inside the window's own tree.
    bool shows(const std::string& text) const {
        return msg_test::findOnCanvas(window->evas(), [&](Evas_Object* obj) {
                   return msg_test::showsText(obj, text);
               }) != nullptr;
    }
    static void setSetting(const char* key, const SettingValue& value) {
        ASSERT_EQ(msg_services::DeviceSettings::set(key, value), 0) << key;
    }

    msg_test::TempDevice device;
    std::unique_ptr<msg_test::TestWindow> window;
    std::string demoClip;
};

class AudioViewTest : public MediaFixture {
protected:
    void SetUp() override {
        MediaFixture::SetUp();
        player()->addEventListener([this](MVSoundPlayer::Event event) { events.push_back(event); }, nullptr);
    }
    static MVSoundPlayer* player() { return MVSoundPlayer::getInstance(); }

    MVAudioViewController* audioView(const msg_store::Content& content, int y = 0) {
        auto* view = new MVAudioViewController(content);
        EXPECT_TRUE(view->create(window->win(), nullptr));
        Evas_Object* layout = view->getEvasObject();
        evas_object_move(layout, 60, y);
        evas_object_resize(layout, 236, 75);
        evas_object_show(layout);
        return view;
    }
    static std::string timeOf(MVAudioViewController* view) {
        const char* text = edje_object_part_text_get(elm_layout_edje_get(view->getEvasObject()), "text.time");
        return text ? text : "";
    }
    static double progressOf(MVAudioViewController* view) {
        double x = -1, y = -1;
        edje_object_part_drag_value_get(elm_layout_edje_get(view->getEvasObject()), "rect.progress", &x, &y);
        return x;
    }
    bool waitFor(MVSoundPlayer::Event event) {
        return msg_test::pumpUntil([&] { return std::count(events.begin(), events.end(), event) > 0; });
    }
    int count(const std::string& entry) const {
        auto journal = powerJournal();
        return static_cast<int>(std::count(journal.begin(), journal.end(), entry));
    }

    std::vector<MVSoundPlayer::Event> events;
};

TEST_F(AudioViewTest, PlaysPausesResumesAndEndsHoldingThePowerLockOnlyWhileItPlays) {
    MVAudioViewController* view = audioView(clip(1));
    EXPECT_EQ(timeOf(view), "00:01");

    view->click();
    ASSERT_EQ(player()->getState(), MVSoundPlayer::STATE_PLAYING);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return progressOf(view) > 0.2; }));
    EXPECT_EQ(powerJournal(), std::vector<std::string>({"lock 2 0"}));

    view->click();
    EXPECT_EQ(player()->getState(), MVSoundPlayer::STATE_PAUSED);
    double held = progressOf(view);
    // A bar that stays has no event to wait for: long enough for a playing clip's bar to step
    // three times.
    msg_test::pumpFor(0.3);
    EXPECT_DOUBLE_EQ(progressOf(view), held);
    EXPECT_LT(held, 1.0);

    view->click();
    ASSERT_TRUE(waitFor(MVSoundPlayer::STOPPED));
    EXPECT_EQ(events, std::vector<MVSoundPlayer::Event>({MVSoundPlayer::STARTED, MVSoundPlayer::PAUSED,
                                                         MVSoundPlayer::RESUMED, MVSoundPlayer::STOPPED}));
    // Finished: the bar goes back and the time shows the clip's length again.
    EXPECT_EQ(timeOf(view), "00:01");
    EXPECT_DOUBLE_EQ(progressOf(view), 0.0);
    EXPECT_EQ(powerJournal(), std::vector<std::string>({"lock 2 0", "unlock 2", "lock 2 0", "unlock 2"}));
    int playing = 0;
    for (const auto& entry : msg_services::JournalStore::list("journal"))
        playing += entry.category == "MULTIMEDIA" && entry.text == "AUDIO_PLAYING";
    EXPECT_EQ(playing, 1) << "a resume is not a new playback";
}

TEST_F(AudioViewTest, FocusLostPausesAndASecondClipStopsTheFirst) {
    std::string second = device.file("second.wav");
    ASSERT_TRUE(msg_sim::simWriteWav(second, 660, 3000));
    MVAudioViewController* first = audioView(clip(1));
    MVAudioViewController* other = audioView(clip(2, second), 100);
    EXPECT_EQ(timeOf(other), "00:03");

    first->click();
    ASSERT_TRUE(msg_test::pumpUntil([&] { return progressOf(first) > 0.0; }));
    setSetting("memory/private/sound/focus_reason", SettingValue::ofInt(SOUND_STREAM_FOCUS_CHANGED_BY_CALL));
    setSetting("memory/private/sound/focus_owner", SettingValue::ofString("com.example.phone/1/1"));
    ASSERT_TRUE(waitFor(MVSoundPlayer::PAUSED));
    EXPECT_EQ(count("lock 2 0"), count("unlock 2"));

    first->click();
    EXPECT_EQ(events.back(), MVSoundPlayer::RESUMED);
    other->click();
    EXPECT_TRUE(player()->isCurrent(clip(2, second)));
    EXPECT_EQ(std::vector<MVSoundPlayer::Event>(events.end() - 2, events.end()),
              std::vector<MVSoundPlayer::Event>({MVSoundPlayer::STOPPED, MVSoundPlayer::STARTED}));
    EXPECT_DOUBLE_EQ(progressOf(first), 0.0);
    EXPECT_EQ(timeOf(first), "00:01");
    ASSERT_TRUE(msg_test::pumpUntil([&] { return progressOf(other) > 0.0; }));

    // Closing the conversation lets the player go with the lock.
    player()->destroy();
    EXPECT_EQ(events.back(), MVSoundPlayer::STOPPED);
    EXPECT_EQ(count("lock 2 0"), 3);
    EXPECT_EQ(count("unlock 2"), 3);
}

TEST_F(AudioViewTest, NothingPlaysWithoutARouteOrAPlayableFile) {
    std::string broken = device.file("voice.amr");
    ASSERT_TRUE(msg_sim::simWriteText(broken, "not a sound at all"));
    struct Case {
        int route;
        bool broken;
        const char* shown;
        MVSoundPlayer::State state;
    } cases[] = {
        {SOUND_ROUTE_NONE, false, "Connect a Bluetooth headset", MVSoundPlayer::STATE_IDLE},
        {SOUND_ROUTE_BLUETOOTH, true, "not supported on your watch", MVSoundPlayer::STATE_IDLE},
        {SOUND_ROUTE_HEADSET, false, nullptr, MVSoundPlayer::STATE_PLAYING},
    };
    int y = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.route);
        setSetting("memory/private/sound/route", SettingValue::ofInt(c.route));
        MVAudioViewController* view = audioView(c.broken ? clip(3, broken) : clip(4), y += 80);
        // A file whose length is unknown shows zero and never divides by it.
        EXPECT_EQ(timeOf(view), c.broken ? "00:00" : "00:01");
        view->click();
        EXPECT_EQ(player()->getState(), c.state);
        if (c.shown) {
            EXPECT_TRUE(msg_test::pumpUntil([&] { return shows(c.shown); }));
        }
        if (c.state == MVSoundPlayer::STATE_IDLE) {
            EXPECT_DOUBLE_EQ(progressOf(view), 0.0);
        }
        view->destroy();
    }
    player()->stop();
    EXPECT_EQ(count("lock 2 0"), 1);
    EXPECT_EQ(count("unlock 2"), 1);
}

TEST(AudioTimeTest, MinutesAndSeconds) {
    // (A clip's own length is shown by each audio view above.)
    for (const auto& [ms, text] : {std::pair{0, "00:00"}, {999, "00:00"}, {-40, "00:00"}, {3600000, "60:00"}})
        EXPECT_EQ(MVAudioViewController::formatTime(ms), text) << ms;
}

using ImageViewTest = MediaFixture;

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
        Content content = msg_test::contentOf(c.type, c.mime, c.file);
        content.thumbnailPath = c.thumbnail;
        auto* view = new MVImageViewController(240, 180, 0, content);
        ASSERT_TRUE(view->create(window->win(), nullptr));
        Evas_Coord w = 0, h = 0;
        evas_object_size_hint_min_get(
            elm_object_part_content_get(view->getEvasObject(), "bubble.swallow.image"), &w, &h);
        // Video or not, the file shown, the play mark, and the size the bubble gives it.
        EXPECT_EQ(std::make_tuple(view->isVideo(), view->getShownFile(), view->showsPlayMark(), w, h),
                  std::make_tuple(c.video, c.shown, c.playMark, 240, 180));
        view->destroy();
    }
}

TEST_F(ImageViewTest, AttachmentMarksByKindAndUnknownTypes) {
    const std::pair<const char*, const char*> cases[] = {
        {"text/x-vcard", "img/attachment/vcf"},
        {"text/x-vcalendar", "img/attachment/vcs"},
        {"text/x-vtodo", "img/attachment/task"},
        {"application/pdf", "img/attachment/etc"},
        {"application/vnd.vendor-specific", "img/attachment/etc"},
        {"", "img/attachment/etc"},
    };
    for (const auto& [mime, icon] : cases) {
        SCOPED_TRACE(mime);
        Content content;
        content.mimeType = mime;
        content.isAttachment = true;
        content.fileName = "<b>list</b>.vcf";
        auto* view = new MVAttachmentViewController(3, content);
        ASSERT_TRUE(view->create(window->win(), nullptr));
        const char *file = nullptr, *group = nullptr;
        elm_image_file_get(elm_object_part_content_get(view->getEvasObject(), "icon"), &file, &group);
        EXPECT_STREQ(group, icon);
        // The name is shown as it is, never read as markup.
        EXPECT_STREQ(
            edje_object_part_text_get(elm_layout_edje_get(view->getEvasObject()), "elm.text.filename"),
            "<b>list</b>.vcf");
        view->destroy();
    }
}

// MIME kinds and the temporary copies handed to other applications.

TEST(MVUtilityTest, MimeTypesAndTheirDisplayTypes) {
    const std::pair<const char*, int> cases[] = {
        // (The common kinds are drawn by the bubble's markup and media views, whose tests read them.)
        {"image/vnd.wap.wbmp", DISPLAY_IMAGE},
        {"audio/x-wav", DISPLAY_AUDIO},
        {"application/pdf", DISPLAY_OTHER},
        // Not in the table: never a row, whatever its form.
        {"application/vnd.vendor-specific", -1},
        {"image", -1},
        {"", -1},
    };
    for (const auto& [mime, displayType] : cases) {
        msg_store::Content content;
        content.mimeType = mime;
        EXPECT_EQ(get_display_type(content), displayType) << mime;
    }
    msg_test::LogCapture log;
    EXPECT_EQ(get_content_mime_type(nullptr), -1);
    EXPECT_TRUE(log.contains("!strType is nullptr"));
    EXPECT_EQ(get_content_mime_type("Video"), MIME_VIDEO);
    EXPECT_EQ(get_content_mime_type("*"), MIME_ANY);
}

TEST(MVUtilityTest, CopiesOfEquallyNamedFilesNeverMeetAndGoWithTheirFolder) {
    msg_test::TempDevice device;
    using msg_test::fileContents;
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
    EXPECT_EQ(fileContents(copyB), "harbour");

    // The same file again reuses its copy; a file that changed under the same path is copied anew.
    ASSERT_TRUE(create_temp_file(a.c_str(), again));
    EXPECT_EQ(again, copyA);
    ASSERT_TRUE(g_file_set_contents(a.c_str(), "sunrise over the bay", -1, nullptr));
    ASSERT_TRUE(create_temp_file(a.c_str(), again));
    EXPECT_EQ(fileContents(again), "sunrise over the bay");

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
