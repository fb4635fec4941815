#include "MediaFixture.h"

#include "CanvasWalk.h"

#include "DeviceSettings.h"
#include "JournalStore.h"
#include "SimSeedMedia.h"
#include "common/CommonUiHelper.h"
#include "common/SingletonRelease.h"
#include "common/ui/MCommonTheme.h"
#include "device/Device.h"

#include <Elementary.h>

#include <clocale>
#include <cstdlib>
#include <cstring>

namespace msg_test {

void MediaFixture::SetUp() {
    setenv("LANGUAGE", "en", 1);
    std::setlocale(LC_ALL, "C.UTF-8");
    msg_device::Device::closeDefault();
    setSetting("memory/private/sound/output", "silent");
    ASSERT_TRUE(msg_app::common_ui_helper::set_textdomain());
    demoClip = device.file("demo-voice.wav");
    ASSERT_TRUE(msg_sim::simWriteWav(demoClip, 440, DEMO_MS));
    window = std::make_unique<TestWindow>();
    ASSERT_TRUE(msg_app::MCommonTheme::getInstance()->init(window->win()));
}

void MediaFixture::TearDown() {
    // The player and the theme go before the device they write to.
    msg_app::singleton_release::run_all();
    window.reset();
    msg_app::MCommonTheme::getInstance()->deinit();
    runLoopUntilIdle();
    msg_device::Device::closeDefault();
}

msg_store::Content MediaFixture::clip(int contentId, const std::string& path) const {
    msg_store::Content content;
    content.contentId = contentId;
    content.mediaType = msg_store::Content::MEDIA_TYPE_AUDIO;
    content.mimeType = "audio/x-wav";
    content.filePath = path.empty() ? demoClip : path;
    content.fileName = content.filePath.substr(content.filePath.rfind('/') + 1);
    return content;
}

std::vector<std::string> MediaFixture::powerJournal() const {
    std::vector<std::string> out;
    for (const auto& entry : msg_services::JournalStore::list("power"))
        out.push_back(entry.category + " " + entry.text);
    return out;
}

bool MediaFixture::shows(const std::string& text) const {
    // Popups are not inside the window's own tree: every object of the canvas is looked at.
    return findOnCanvas(window->evas(), [&](Evas_Object* obj) { return showsText(obj, text); }) != nullptr;
}

void MediaFixture::setSetting(const char* key, int value) {
    ASSERT_EQ(msg_services::DeviceSettings::set(key, msg_services::SettingValue::ofInt(value)), 0) << key;
}

void MediaFixture::setSetting(const char* key, const char* value) {
    ASSERT_EQ(msg_services::DeviceSettings::set(key, msg_services::SettingValue::ofString(value)), 0) << key;
}

} // namespace msg_test
