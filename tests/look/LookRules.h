/*
 * The rules a screen of the round watch keeps at rest, checked on what its
 * canvas draws (LookCanvas), each failure naming the object and the rule.
 */
#ifndef MSG_LOOK_LOOKRULES_H
#define MSG_LOOK_LOOKRULES_H

#include "LookCanvas.h"

#include <set>
#include <string>
#include <vector>

namespace msg_look {

enum class Rule {
    InsideCircle, // texts, icons and round buttons lie inside the round screen
    WholeNumber,  // a phone number, time, date or counter is never cut
    NameRoom,     // a name or file name is cut only where its line has no room left
    Contrast,     // texts and icons stand out from what is behind them
    OverlayDim,   // what is behind a popup, panel or toast is dimmed
    PopupShape,   // a popup is the full circle, centred
};
const char* ruleName(Rule rule);

// The levels the rules hold screens to.
namespace limits {
// A few pixels of a glyph's side bearing or an icon's empty margin may cross the circle.
constexpr double CIRCLE_TOLERANCE = 4;
constexpr double TEXT_CONTRAST = 4.5;
// Large text (this size and up, or bold from LARGE_BOLD_PX) and icons need less.
constexpr double LARGE_CONTRAST = 3.0;
constexpr double ICON_CONTRAST = 3.0;
constexpr double LARGE_TEXT_PX = 30;
constexpr double LARGE_BOLD_PX = 24;
// Behind an overlay, a text or icon shows at most at this share of its own strength.
constexpr double OVERLAY_RESIDUAL = 0.10;
// A cut name's line reaches this close to the circle at both ends (or to a control at the side),
// else it had room: rows keep a margin from the edge, where the circle curves away, and a short
// time beside the name leaves a little more.
constexpr double NAME_ROOM = 56;
constexpr double POPUP_TOLERANCE = 2;
} // namespace limits

enum class TextKind {
    Number, // digits with little else: a phone number, a time, a date, a counter
    Name,   // a person's name the device knows
    File,   // a file's name
    Other,
};
// Digits of any script count as digits; direction marks are ignored.
TextKind classifyText(const std::string& text, const std::set<std::string>& names);

struct Finding {
    Rule rule;
    std::string object;
    std::string detail;
};

std::vector<Finding> checkLook(const LookCanvas& canvas, const std::set<std::string>& names);

} // namespace msg_look

#endif
