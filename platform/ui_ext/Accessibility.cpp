#include "log/PlatformLog.h"
#include "qel.h"
#include "vconf.h"

namespace {

const char* const TTS_KEY = "db/setting/accessibility/tts";

// The screen-reader setting of the device; off when it cannot be read.
bool readTtsSetting(const char* key) {
    int enabled = 0;
    int error = vconf_get_bool(key, &enabled);
    PLAT_RETV_IF(error != VCONF_OK, false, "vconf_get_bool(%s) failed: %d", key, error);
    return enabled != 0;
}

} // namespace

extern "C" Eina_Bool qel_access_is_accessibility_enabled(void) {
    return readTtsSetting(TTS_KEY);
}
