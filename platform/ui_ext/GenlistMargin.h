#ifndef QEL_GENLISTMARGIN_H
#define QEL_GENLISTMARGIN_H

#include <Elementary.h>

namespace qel {

// Room after a genlist's last row, half the list's height, so that the last
// row can be scrolled up to the screen's middle. The list keeps its whole
// height as viewport: its first rows and every row placement are unchanged.
class GenlistMargin {
public:
    static bool apply(Evas_Object* genlist, bool on);
};

} // namespace qel

#endif
