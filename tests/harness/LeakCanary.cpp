// A leak made in a callback of the main loop, as a screen's row or popup would be leaked. The
// sanitized run must report it: a leak checker that hides it hides real ones too. Not a test of the
// suite; scripts/test --sanitize runs it and expects it to fail.
#include <Ecore.h>

#include <string>

namespace {

// Holding the pointer here until the callback returns keeps the compiler from dropping the
// allocation; clearing it leaves nothing that refers to it.
std::string* volatile gLast = nullptr;

Eina_Bool leakCb(void*) {
    gLast = new std::string(64, 'x');
    gLast = nullptr;
    ecore_main_loop_quit();
    return ECORE_CALLBACK_CANCEL;
}

} // namespace

int main() {
    ecore_init();
    ecore_timer_add(0.0, leakCb, nullptr);
    ecore_main_loop_begin();
    ecore_shutdown();
    return 0;
}
