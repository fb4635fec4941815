// What the player and the metadata reader share: GStreamer started once, and the
// audio output the device setting chooses (asked of the program that loaded them).
#ifndef MSG_SERVICES_MEDIA_MEDIAOUTPUT_H
#define MSG_SERVICES_MEDIA_MEDIAOUTPUT_H

#include <gst/gst.h>

#include <string>

namespace msg_media {

bool initGstreamer();
// A new sink: the desktop's audio, or a silent one that still keeps the real clock.
GstElement* makeAudioSink();
// A path or a URI as a URI; empty when the path cannot be made one.
std::string toUri(const char* pathOrUri);

} // namespace msg_media

#endif
