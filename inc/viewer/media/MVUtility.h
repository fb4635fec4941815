/*
 * What the viewer's media contents share: the kind of a MIME type, and the
 * temporary copies of files handed to the gallery or the media player.
 */
#ifndef MSG_APP_VIEWER_MEDIA_MVUTILITY_H
#define MSG_APP_VIEWER_MEDIA_MVUTILITY_H

#include "msg_store/Content.h"

#include <string>

namespace msg_app {
namespace msg_viewer {

enum ContentMimeType : int {
    MIME_APPLICATION = 0,
    MIME_AUDIO = 1,
    MIME_IMAGE = 2,
    MIME_MESSAGE = 3,
    MIME_TEXT = 4,
    MIME_VIDEO = 5,
    MIME_ANY = 6,
};

enum DisplayType : int {
    DISPLAY_TEXT = 0,
    DISPLAY_IMAGE = 1,
    DISPLAY_VIDEO = 2,
    DISPLAY_AUDIO = 3,
    DISPLAY_VCARD = 5,
    DISPLAY_VCALENDAR = 6,
    DISPLAY_TASK = 7,
    DISPLAY_OTHER = 8,
};

// The main MIME type ("image" of "image/png"), case-insensitively; -1 for any other or null.
int get_content_mime_type(const char* strType);
// The row of the MIME table equal to the whole string, -1 when absent.
int get_table_index_from_mime_string(const char* mime);
// The display type of the content's MIME type, -1 when the table does not know it.
int get_display_type(const msg_store::Content& content);

// A copy of the file in the viewer's temporary folder, kept under the file's own name; files of
// different messages never share a copy, the same file is copied once. False (out unchanged)
// when the file is missing or cannot be copied.
bool create_temp_file(const char* orgFilePath, std::string& out);
// Removes the temporary folder with every copy.
void remove_temp_file_dir();
const std::string& get_temp_file_dir();

} // namespace msg_viewer
} // namespace msg_app

#endif
