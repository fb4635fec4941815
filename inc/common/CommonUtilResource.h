/*
 * Resource paths of the installed application, computed once, and the cut link's tags.
 */
#ifndef MSG_APP_COMMON_COMMONUTILRESOURCE_H
#define MSG_APP_COMMON_COMMONUTILRESOURCE_H

#include <string>

namespace msg_app {
namespace common_util {

const std::string& get_shared_trusted_dir();
const std::string& get_locale_dir();
const std::string& get_images_dir();
const std::string& get_message_edj();
const std::string& get_image_edj();

// The opening tags of a cut link: pressed colour, then colour with underline, from the theme's
// colour codes.
void create_cutlink_prefix_tag(std::string& out, const char* fontStyle, const char* pressedFontStyle);

} // namespace common_util
} // namespace msg_app

#endif
