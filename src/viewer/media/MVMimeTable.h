// The MIME types a message part may carry, grouped by main type and subtype form.
#ifndef MSG_APP_VIEWER_MEDIA_MVMIMETABLE_H
#define MSG_APP_VIEWER_MEDIA_MVMIMETABLE_H

#include <cstddef>

namespace msg_app {
namespace msg_viewer {

struct MVMimeRow {
    const char* mime;
    int displayType;
};

// Rows of one (main type, subtype form) pair stand together, pairs in order: main types as
// get_content_mime_type numbers them, subtype forms 0 plain, 1 "vnd.", 2 "x-".
const MVMimeRow* mime_table(size_t& count);

} // namespace msg_viewer
} // namespace msg_app

#endif
