#include "SoakScript.h"

#include <iterator>

namespace msg_e2e {

namespace {

// Out of 100: what a restless user does most (taps, back, the bezel) and what the world does.
constexpr int USER_SHARE = 65;
const char* const WORDS[] = {"lunch",         "running late", "call me", "ok",        "see you at 6",
                             "where are you", "photo later",  "thanks!", "on my way", "meeting moved"};
const char* const LOCALES[] = {"en_US.UTF-8", "ar_AE.UTF-8", "ko_KR.UTF-8"};
constexpr int WATCH = 360;
constexpr int CENTRE = WATCH / 2;
constexpr int RADIUS = 170;
// The numbers messages come from: the demo conversations' and new ones.
const char* const NUMBERS[] = {"+15550100001", "+15550100002", "+15550100006",
                               "+15550170001", "+15550170002", "+15550170003"};

} // namespace

uint32_t SoakScript::_draw() {
    ++_drawn;
    _state ^= _state << 13;
    _state ^= _state >> 17;
    _state ^= _state << 5;
    return _state;
}

SoakStep SoakScript::next() {
    int roll = _below(100);
    return roll < USER_SHARE ? _userStep(roll) : _worldStep(roll - USER_SHARE);
}

SoakStep SoakScript::_userStep(int roll) {
    using Kind = SoakStep::Kind;
    SoakStep step;
    if (roll < 12) { // a row of a list, a bubble
        step = SoakStep(Kind::TAP, _between(80, 280), _between(90, 300));
    } else if (roll < 16) { // the option panel's cue on the right edge
        step = SoakStep(Kind::TAP, _between(345, 358), _between(150, 210));
    } else if (roll < 19) { // the bottom button of select mode, a popup's button
        step = SoakStep(Kind::TAP, _between(150, 210), _between(318, 345));
    } else if (roll < 24) { // anywhere on the round screen
        int x = 0, y = 0;
        do {
            x = _between(CENTRE - RADIUS, CENTRE + RADIUS);
            y = _between(CENTRE - RADIUS, CENTRE + RADIUS);
        } while ((x - CENTRE) * (x - CENTRE) + (y - CENTRE) * (y - CENTRE) > RADIUS * RADIUS);
        step = SoakStep(Kind::TAP, x, y);
    } else if (roll < 30) {
        step = SoakStep(Kind::PRESS, _between(80, 280), _between(90, 300));
        step.count = _between(900, 1600);
    } else if (roll < 38) {
        step = SoakStep(Kind::DRAG, _between(120, 240), _between(60, 320));
        step.toY = _between(60, 320);
    } else if (roll < 48) {
        step = SoakStep(Kind::WHEEL);
        step.down = _below(3) != 0;
        step.count = _between(1, 4);
    } else if (roll < 53) {
        step = SoakStep(Kind::PAGE_KEYS);
        step.down = _below(2) != 0;
        step.count = _between(1, 3);
    } else if (roll < 61) {
        step = SoakStep(Kind::BACK);
    } else if (roll < 63) {
        step = SoakStep(Kind::HOME);
    } else {
        step = SoakStep(Kind::ANSWER);
        step.down = _below(5) != 0;
        step.text = std::string("soak reply ") + std::to_string(_drawn) + " " + WORDS[_below(10)];
    }
    return step;
}

SoakStep SoakScript::_worldStep(int roll) {
    using Kind = SoakStep::Kind;
    SoakStep step;
    const char* number = NUMBERS[_below(static_cast<int>(std::size(NUMBERS)))];
    if (roll < 14) {
        step = SoakStep(Kind::RECEIVE);
        step.text = "soak " + std::to_string(_drawn) + " " + WORDS[_below(10)];
        // Now and then a message of many lines.
        for (int lines = _below(6) == 0 ? _between(3, 12) : 0; lines > 0; --lines)
            step.text += std::string("\n") + WORDS[_below(10)];
    } else if (roll < 23) {
        step = SoakStep(Kind::PHONE);
        step.down = _below(4) != 0;
    } else if (roll < 26) {
        step = SoakStep(Kind::BLOCK);
    } else if (roll < 29) {
        step = SoakStep(Kind::UNBLOCK);
    } else if (roll < 32) {
        step = SoakStep(Kind::RENAME);
        step.count = _between(1, 99);
    } else {
        step = SoakStep(Kind::LANGUAGE);
        step.text = LOCALES[_below(3)];
    }
    if (step.kind != Kind::LANGUAGE && step.kind != Kind::PHONE)
        step.number = number;
    return step;
}

std::string SoakStep::describe() const {
    auto at = [](int x, int y) { return std::to_string(x) + "," + std::to_string(y); };
    switch (kind) {
    case Kind::TAP:
        return "tap " + at(x, y);
    case Kind::PRESS:
        return "long press " + at(x, y) + " for " + std::to_string(count) + " ms";
    case Kind::DRAG:
        return "drag at x " + std::to_string(x) + " from y " + std::to_string(y) + " to " +
               std::to_string(toY);
    case Kind::WHEEL:
        return "wheel " + std::to_string(count) + (down ? " down" : " up");
    case Kind::PAGE_KEYS:
        return (down ? "Page Down x" : "Page Up x") + std::to_string(count);
    case Kind::BACK:
        return "back (Escape)";
    case Kind::HOME:
        return down ? "back to the application" : "home, away from the application";
    case Kind::ANSWER:
        return down ? "input selector answers \"" + text + "\"" : "input selector cancelled";
    case Kind::RECEIVE:
        return "receive from " + number + " \"" + text.substr(0, text.find('\n')) +
               (text.find('\n') != std::string::npos ? "...\"" : "\"");
    case Kind::PHONE:
        return down ? "phone delivers the oldest outgoing" : "phone fails the oldest outgoing";
    case Kind::BLOCK:
        return "block " + number;
    case Kind::UNBLOCK:
        return "unblock " + number;
    case Kind::RENAME:
        return "contact " + number + " renamed Soak " + std::to_string(count);
    case Kind::LANGUAGE:
        return "language " + text;
    }
    return "?";
}

} // namespace msg_e2e
