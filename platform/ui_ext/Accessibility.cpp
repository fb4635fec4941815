#include "common/MsgLog.h"
#include "qel.h"

#include <cstdlib>
#include <cstring>

namespace {

const char* const TTS_KEY = "db/setting/accessibility/tts";

// The screen-reader setting of the device. The device settings store is not
// reachable from here yet, so the setting is taken from the environment
// (MSG_SETTING_ACCESSIBILITY_TTS=1) and is off otherwise.
bool readTtsSetting(const char* key) {
    const char* value = getenv("MSG_SETTING_ACCESSIBILITY_TTS");
    MSG_LOGD("%s = %s", key, value ? value : "(unset)");
    return value && (!strcmp(value, "1") || !strcmp(value, "true"));
}

} // namespace

extern "C" Eina_Bool qel_access_is_accessibility_enabled(void) {
    return readTtsSetting(TTS_KEY);
}
