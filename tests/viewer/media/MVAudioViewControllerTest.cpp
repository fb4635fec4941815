// A sound clip's bubble content and the one player behind it, on real GStreamer and real widgets.
#include "MediaFixture.h"

#include "JournalStore.h"
#include "SimSeedMedia.h"
#include "viewer/media/MVAudioViewController.h"
#include "viewer/media/MVSoundPlayer.h"

#include <Elementary.h>

#include <algorithm>

using msg_app::MVSoundPlayer;
using msg_app::msg_viewer::MVAudioViewController;

namespace {

class AudioViewTest : public msg_test::MediaFixture {
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
    setSetting("memory/private/sound/focus_reason", SOUND_STREAM_FOCUS_CHANGED_BY_CALL);
    setSetting("memory/private/sound/focus_owner", "com.example.phone/1/1");
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
        setSetting("memory/private/sound/route", c.route);
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
    struct Case {
        int ms;
        const char* text;
    } cases[] = {{0, "00:00"},     {999, "00:00"}, {1500, "00:01"},
                 {61000, "01:01"}, {-40, "00:00"}, {3600000, "60:00"}};
    for (const auto& c : cases)
        EXPECT_EQ(MVAudioViewController::formatTime(c.ms), c.text) << c.ms;
}

} // namespace
