#ifndef EEXT_INPUTPANEL_H
#define EEXT_INPUTPANEL_H

#include <Evas.h>

namespace eext {

// The watch's input panel where the machine has none: an input method of the
// toolkit that every entry of the process uses. A focused entry raises it
// (state and geometry events, as the device's keyboard would); typing still
// comes from the desktop's keyboard. The panel covers the bottom of the
// canvas, higher when the entry allows prediction, and is drawn there.
class InputPanel {
public:
    static constexpr const char* MODULE_ID = "watch-input-panel";
    static constexpr int HEIGHT_WITH_PREDICTION = 290;
    static constexpr int HEIGHT_PLAIN = 240;

    // Makes the panel the process's input method, unless the user chose another one.
    static void install();
    // Hides the panel shown on the canvas; false when none is shown there.
    static bool hideOn(Evas* canvas);
};

} // namespace eext

#endif
