/*
 * The device settings behind audio: the route, who holds focus and why, and
 * where played sound goes. The sound and media services keep their state
 * there; the simulator and tests read and change it under the same names.
 */
#ifndef MSG_SERVICES_SOUNDKEYS_H
#define MSG_SERVICES_SOUNDKEYS_H

namespace msg_services {

struct SoundKeys {
    // The active route, a sound_route_e value.
    static constexpr const char* ROUTE = "memory/private/sound/route";
    // The stream holding focus, as "application/process/stream"; empty when nobody holds it.
    static constexpr const char* FOCUS_OWNER = "memory/private/sound/focus_owner";
    // Why focus last changed hands, a sound_stream_focus_change_reason_e value.
    static constexpr const char* FOCUS_REASON = "memory/private/sound/focus_reason";
    // "auto", "silent" or "desktop".
    static constexpr const char* OUTPUT = "memory/private/sound/output";
};

} // namespace msg_services

#endif
