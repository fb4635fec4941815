// Looking through a canvas's object trees, popups and entry items included.
#ifndef MSG_TESTS_VIEWER_MEDIA_CANVASWALK_H
#define MSG_TESTS_VIEWER_MEDIA_CANVASWALK_H

#include <Evas.h>

#include <functional>
#include <string>

namespace msg_test {

// The first object of the tree (the root first) that the predicate takes, else null.
Evas_Object* findObject(Evas_Object* root, const std::function<bool(Evas_Object*)>& take);
// The same over every object of the canvas.
Evas_Object* findOnCanvas(Evas* canvas, const std::function<bool(Evas_Object*)>& take);
// Whether a text or textblock object shows the text.
bool showsText(Evas_Object* obj, const std::string& text);

} // namespace msg_test

#endif
