#ifndef MSG_TESTS_VIEWER_VIEWERTESTSUPPORT_H
#define MSG_TESTS_VIEWER_VIEWERTESTSUPPORT_H

#include "msg_store/PhoneSide.h"

#include <Evas.h>

#include <string>
#include <vector>

namespace msg_test {

// Writes a w x h PNG (a flat colour) through the canvas of `obj`; false when it cannot.
bool writePng(Evas_Object* obj, const std::string& path, int w, int h);

// Messages of one conversation with `from`, one per entry, in one store write; their ids.
std::vector<int> storeMessages(const std::vector<msg_store::IncomingMessage>& messages);
msg_store::IncomingMessage message(const std::string& from, const std::string& text, int64_t timeMs,
                                   msg_store::FolderType folder = msg_store::FOLDER_INBOX);
// The text a widget shows, markup turned back to plain text.
std::string plainTextOf(Evas_Object* widget);

} // namespace msg_test

#endif
