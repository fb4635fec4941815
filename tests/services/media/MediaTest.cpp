// The player, the sound manager and the metadata reader on real GStreamer, with the silent
// output that keeps the real clock.
#include "metadata_extractor.h"
#include "player.h"
#include "sound_manager.h"

#include "CommonDeviceTest.h"
#include "DeviceSettings.h"
#include "SimSeedMedia.h"

#include <cstdlib>
#include <string>

namespace {

using msg_services::DeviceSettings;
using msg_services::SettingValue;

// The demo clip of a seeded device.
constexpr int DEMO_MS = 1500;

class MediaTest : public CommonDeviceTest {
protected:
    void SetUp() override {
        CommonDeviceTest::SetUp();
        ASSERT_EQ(DeviceSettings::set("memory/private/sound/output", SettingValue::ofString("silent")), 0);
        _wav = device.file("demo-voice.wav");
        ASSERT_TRUE(msg_sim::simWriteWav(_wav, 440, DEMO_MS));
        ASSERT_EQ(player_create(&_player), PLAYER_ERROR_NONE);
        player_set_completed_cb(
            _player, [](void* data) { ++*static_cast<int*>(data); }, &_completed);
        player_set_error_cb(
            _player, [](int code, void* data) { *static_cast<int*>(data) = code; }, &_error);
    }
    void TearDown() override {
        player_destroy(_player);
        CommonDeviceTest::TearDown();
    }
    int position() {
        int ms = -1;
        EXPECT_EQ(player_get_play_position(_player, &ms), PLAYER_ERROR_NONE);
        return ms;
    }

    std::string _wav;
    player_h _player = nullptr;
    int _completed = 0;
    int _error = 0;
};

// Pausing, resuming and a clip's end as a person sees them are checked through the viewer's audio;
// these are the player's own states and clock.
TEST_F(MediaTest, DemoClipEndsAtItsLengthAndStoppedStartsOver) {
    ASSERT_EQ(player_set_uri(_player, _wav.c_str()), PLAYER_ERROR_NONE);
    ASSERT_EQ(player_prepare(_player), PLAYER_ERROR_NONE);
    int duration = 0;
    ASSERT_EQ(player_get_duration(_player, &duration), PLAYER_ERROR_NONE);
    EXPECT_NEAR(duration, DEMO_MS, 5);

    ASSERT_EQ(player_start(_player), PLAYER_ERROR_NONE);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return _completed > 0; }));
    EXPECT_EQ(_completed, 1);
    EXPECT_EQ(_error, 0);
    EXPECT_NEAR(position(), DEMO_MS, 50);

    ASSERT_EQ(player_stop(_player), PLAYER_ERROR_NONE);
    EXPECT_LT(position(), 100);
    ASSERT_EQ(player_unprepare(_player), PLAYER_ERROR_NONE);
    EXPECT_EQ(player_get_play_position(_player, &duration), PLAYER_ERROR_INVALID_STATE);
}

TEST_F(MediaTest, FilesThatAreNotSoundAreRefusedAndHaveNoMetadata) {
    std::string text = device.file("notes.wav");
    ASSERT_TRUE(msg_sim::simWriteText(text, "this is not a sound"));
    struct Case {
        std::string path;
        int error;
    } cases[] = {{text, PLAYER_ERROR_NOT_SUPPORTED_FILE},
                 {device.file("missing.wav"), PLAYER_ERROR_INVALID_URI}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        ASSERT_EQ(player_set_uri(_player, c.path.c_str()), PLAYER_ERROR_NONE);
        EXPECT_EQ(player_prepare(_player), c.error);
        EXPECT_EQ(player_start(_player), PLAYER_ERROR_INVALID_STATE);
    }
    EXPECT_TRUE(msg_test::runLoopUntilIdle());
    EXPECT_EQ(_error, 0) << "a failed prepare reports through its result only";

    metadata_extractor_h metadata = nullptr;
    ASSERT_EQ(metadata_extractor_create(&metadata), METADATA_EXTRACTOR_ERROR_NONE);
    ASSERT_EQ(metadata_extractor_set_path(metadata, _wav.c_str()), METADATA_EXTRACTOR_ERROR_NONE);
    // The length to the millisecond (what the viewer shows of it is whole seconds).
    char* value = nullptr;
    EXPECT_EQ(metadata_extractor_get_metadata(metadata, METADATA_DURATION, &value),
              METADATA_EXTRACTOR_ERROR_NONE);
    EXPECT_STREQ(value, "1500");
    free(value);
    value = nullptr;
    ASSERT_EQ(metadata_extractor_set_path(metadata, text.c_str()), METADATA_EXTRACTOR_ERROR_NONE);
    EXPECT_EQ(metadata_extractor_get_metadata(metadata, METADATA_DURATION, &value),
              METADATA_EXTRACTOR_ERROR_OPERATION_FAILED);
    EXPECT_EQ(value, nullptr);
    EXPECT_EQ(metadata_extractor_set_path(metadata, device.file("missing.wav").c_str()),
              METADATA_EXTRACTOR_ERROR_FILE_EXISTS);
    metadata_extractor_destroy(metadata);
}

struct FocusSeen {
    int releases = 0;
    sound_stream_focus_change_reason_e reason = SOUND_STREAM_FOCUS_CHANGED_BY_MEDIA;
};

void focusCb(sound_stream_info_h, sound_stream_focus_mask_e, sound_stream_focus_state_e state,
             sound_stream_focus_change_reason_e reason, int, const char*, void* data) {
    auto* seen = static_cast<FocusSeen*>(data);
    if (state == SOUND_STREAM_FOCUS_STATE_RELEASED)
        ++seen->releases;
    seen->reason = reason;
}

// Pausing when another application takes the focus (and not on our own), and refusing to play without
// a route, are checked through the viewer's audio; these are what it does not reach.
TEST_F(MediaTest, FocusTakenByAnotherApplicationStaysWithItAndRoutesFollowTheDevice) {
    FocusSeen seen;
    sound_stream_info_h stream = nullptr;
    ASSERT_EQ(sound_manager_create_stream_information(SOUND_STREAM_TYPE_MEDIA, focusCb, &seen, &stream),
              SOUND_MANAGER_ERROR_NONE);
    ASSERT_EQ(sound_manager_acquire_focus(stream, SOUND_STREAM_FOCUS_FOR_PLAYBACK, 0, nullptr), 0);
    DeviceSettings::set("memory/private/sound/focus_reason",
                        SettingValue::ofInt(SOUND_STREAM_FOCUS_CHANGED_BY_CALL));
    DeviceSettings::set("memory/private/sound/focus_owner", SettingValue::ofString("com.example.phone/1/1"));
    ASSERT_TRUE(msg_test::pumpUntil([&] { return seen.releases > 0; }));
    EXPECT_EQ(seen.reason, SOUND_STREAM_FOCUS_CHANGED_BY_CALL);
    // Released focus that another application holds stays with it.
    EXPECT_EQ(sound_manager_release_focus(stream, SOUND_STREAM_FOCUS_FOR_PLAYBACK, 0, nullptr),
              SOUND_MANAGER_ERROR_INVALID_STATE);
    ASSERT_EQ(sound_manager_acquire_focus(stream, SOUND_STREAM_FOCUS_FOR_PLAYBACK, 0, nullptr), 0);
    ASSERT_EQ(sound_manager_destroy_stream_information(stream), 0);
    EXPECT_EQ(DeviceSettings::getString("memory/private/sound/focus_owner", "?"), "");

    struct Route {
        int setting;
        sound_route_e route;
        bool available;
    } routes[] = {{3, SOUND_ROUTE_BLUETOOTH, true}, {42, SOUND_ROUTE_NONE, false}};
    for (const auto& r : routes) {
        DeviceSettings::set("memory/private/sound/route", SettingValue::ofInt(r.setting));
        sound_route_e route = SOUND_ROUTE_SPEAKER;
        bool available = !r.available;
        ASSERT_EQ(sound_manager_get_active_route(&route, &available), 0);
        EXPECT_EQ(route, r.route) << r.setting;
        EXPECT_EQ(available, r.available) << r.setting;
    }
}

} // namespace
