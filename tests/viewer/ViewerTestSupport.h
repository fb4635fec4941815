#ifndef MSG_TESTS_VIEWER_VIEWERTESTSUPPORT_H
#define MSG_TESTS_VIEWER_VIEWERTESTSUPPORT_H

#include "msg_store/PhoneSide.h"
#include "viewer/MVItem/MVItemBubble.h"

#include <Elementary.h>
#include <Evas.h>

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace msg_app {
namespace msg_viewer {
// What a bubble's row holds, as a test reads it.
class MVItemBubbleTestPeer {
public:
    // The text widget while the row is realized, else null.
    static Evas_Object* label(const MVItemBubble* bubble) { return bubble->_label; }
};
} // namespace msg_viewer
} // namespace msg_app

namespace msg_test {

// Messages of one conversation with `from`, one per entry, in one store write; their ids.
std::vector<int> storeMessages(const std::vector<msg_store::IncomingMessage>& messages);
msg_store::IncomingMessage message(const std::string& from, const std::string& text, int64_t timeMs,
                                   msg_store::FolderType folder = msg_store::FOLDER_INBOX);
// A part of that kind and type held in the file, named as the file is.
msg_store::Content contentOf(msg_store::Content::MediaType type, const std::string& mimeType,
                             const std::string& path);
// The text a widget shows, markup turned back to plain text.
std::string plainTextOf(Evas_Object* widget);
// Looking through a canvas's object trees, popups and entry items included.
// The first object of the tree (the root first) that the predicate takes, else null.
Evas_Object* findObject(Evas_Object* root, const std::function<bool(Evas_Object*)>& take);
// The same over every object of the canvas.
Evas_Object* findOnCanvas(Evas* canvas, const std::function<bool(Evas_Object*)>& take);
// Whether a text or textblock object shows the text.
bool showsText(Evas_Object* obj, const std::string& text);
// The object's x, y, width and height.
std::array<int, 4> boxOf(const Evas_Object* obj);
// How far the object's map draws it above its place, and how wide; (0, its width) when not mapped.
std::pair<int, int> drawnShift(Evas_Object* obj);
// The genlist's realized items, top first.
std::vector<Elm_Object_Item*> realizedItems(Evas_Object* genlist);
// A finger put down at (x, y), and lifted.
void press(Evas* canvas, int x, int y);
void release(Evas* canvas);
// The whole file, or "" when it cannot be read.
std::string fileContents(const std::string& path);

} // namespace msg_test

#endif
