// main() for tests that drive real widgets: Elementary is initialised once
// for the whole program, on the buffer engine unless ELM_ENGINE says otherwise.
#include "HangWatch.h"

#include <Elementary.h>
#include <gtest/gtest.h>

#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#define MSG_TEST_LEAK_CHECK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MSG_TEST_LEAK_CHECK 1
#endif
#endif
#ifdef MSG_TEST_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
#endif

namespace {

// Watches to the very end: the exit handlers and static destructors after main() can hang too.
msg_test::HangWatch* hangWatch = nullptr;

} // namespace

int main(int argc, char** argv) {
    setenv("ELM_ENGINE", "buffer", 0);
    setenv("EINA_LOG_BACKTRACE", "-1", 0);
    setenv("EINA_LOG_LEVELS", "eldbus:0,ecore_system_upower:0,ecore_system_systemd:0,eina_safety:0", 0);
    testing::InitGoogleTest(&argc, argv);
    hangWatch = new msg_test::HangWatch();
    hangWatch->stage("toolkit start");
    elm_init(argc, argv);
    hangWatch->stage("tests");
    int result = RUN_ALL_TESTS();
#ifdef MSG_TEST_LEAK_CHECK
    // Leaks are judged while the toolkit's engine modules are still loaded, so that its own
    // allocation sites can be told from ours; a leak ends the process here.
    __lsan_do_leak_check();
#endif
    // The toolkit's threads are stopped before the process's exit handlers run: left running,
    // one of them could hold a lock that an exit handler waits on.
    hangWatch->stage("toolkit shutdown");
    elm_shutdown();
    hangWatch->stage("exit");
    return result;
}
