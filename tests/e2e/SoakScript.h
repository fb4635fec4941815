#ifndef MSG_TESTS_E2E_SOAKSCRIPT_H
#define MSG_TESTS_E2E_SOAKSCRIPT_H

#include <cstdint>
#include <string>

namespace msg_e2e {

// One step of the soak: what the user's finger, bezel or keys do, or what the phone and the
// device do meanwhile.
struct SoakStep {
    enum class Kind {
        // The user.
        TAP,
        PRESS, // a long press
        DRAG,
        WHEEL,
        PAGE_KEYS,
        BACK,
        HOME, // leaves for the home screen, or (down) comes back to the application
        // The user, in the input selector's window (msg-sim answers as the window would).
        ANSWER,
        // The phone and the device.
        RECEIVE,
        PHONE,
        BLOCK,
        UNBLOCK,
        RENAME,
        LANGUAGE,
    };
    SoakStep() = default;
    explicit SoakStep(Kind k, int atX = 0, int atY = 0) : kind(k), x(atX), y(atY) {}

    Kind kind = Kind::TAP;
    int x = 0, y = 0, toY = 0;
    int count = 0;      // detents, key presses; a press's hold in milliseconds
    bool down = false;  // clockwise, Page Down; delivered (not failed); an answer's text (not a cancel)
    std::string number; // whose message, whose block or contact
    std::string text;   // a message's or an answer's text, a locale

    bool byUser() const { return kind <= Kind::ANSWER; }
    std::string describe() const;
};

// The seeded random user and world: the same seed gives the same steps, on any machine, so a run
// that found a fault is replayed step for step.
class SoakScript {
public:
    explicit SoakScript(uint32_t seed) : _state(seed ? seed : 1) {}
    SoakStep next();

private:
    // xorshift32: the sequence is ours, not the standard library's, so it is the same everywhere.
    uint32_t _draw();
    int _below(int n) { return static_cast<int>(_draw() % static_cast<uint32_t>(n)); }
    int _between(int low, int high) { return low + _below(high - low + 1); }
    SoakStep _userStep(int roll);
    SoakStep _worldStep(int roll);

    uint32_t _state;
    int _drawn = 0;
};

} // namespace msg_e2e

#endif
