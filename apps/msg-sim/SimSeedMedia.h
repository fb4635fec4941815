/*
 * Demo media written by code into the device folder: a picture, a short
 * sound and a small document, so that nothing is downloaded.
 */
#ifndef MSG_SIM_SIMSEEDMEDIA_H
#define MSG_SIM_SIMSEEDMEDIA_H

#include <string>

namespace msg_sim {

// A width x height RGB picture with a diagonal gradient in the given hue (0-359), as PNG.
bool simWritePng(const std::string& path, int width, int height, int hue);
// A mono 16-bit tone of the given frequency and length, as WAV.
bool simWriteWav(const std::string& path, int frequency, int milliseconds);
bool simWriteText(const std::string& path, const std::string& text);

} // namespace msg_sim

#endif
