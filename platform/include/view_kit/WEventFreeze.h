#ifndef VIEW_KIT_WEVENTFREEZE_H
#define VIEW_KIT_WEVENTFREEZE_H

#include <Evas.h>

namespace view_kit {

// Holds a canvas's events back while a batch of changes is made to what it shows. A genlist
// freezes and thaws the canvas around every row it is given, and each thaw that lets the canvas
// go walks all of its objects and works out again what lies under the pointer: a cost per row
// that grows with the screen. Held from outside, the canvas does that once, when the batch ends.
// Nothing can be input meanwhile: the batch runs in one callback of the main loop.
class WEventFreeze {
public:
    // `member`: any object of the canvas; null holds nothing.
    explicit WEventFreeze(Evas_Object* member);
    ~WEventFreeze();
    WEventFreeze(const WEventFreeze&) = delete;
    WEventFreeze& operator=(const WEventFreeze&) = delete;

private:
    // Cleared if the canvas goes while the batch runs.
    Evas* _canvas = nullptr;
};

} // namespace view_kit

#endif
