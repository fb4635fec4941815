// Keeps the toolkit's desktop-cache daemon (efreetd) up while the tests run. The daemon quits when
// its last client goes, and the next test process would start it again: that process's output
// would then stay open as long as the daemon lives, and CTest would time a passed test out. This
// client starts it (with our output, which is nothing) and stays connected until told to stop or
// until its lifetime ends, should nobody stop it.
#include <Ecore.h>
#include <Efreet.h>

#include <cstdio>
#include <cstdlib>

namespace {

Eina_Bool quitCb(void*) {
    ecore_main_loop_quit();
    return ECORE_CALLBACK_CANCEL;
}

Eina_Bool signalExitCb(void*, int, void*) {
    ecore_main_loop_quit();
    return ECORE_CALLBACK_DONE;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: %s READY_FILE LIFETIME_SECONDS\n", argv[0]);
        return 2;
    }
    double lifetime = atof(argv[2]);
    if (lifetime <= 0) {
        fprintf(stderr, "%s: the lifetime must be a positive number of seconds\n", argv[0]);
        return 2;
    }
    ecore_init();
    // Connects to the daemon, starting it first when none serves.
    if (!efreet_init()) {
        fprintf(stderr, "%s: efreet_init() failed\n", argv[0]);
        return 1;
    }
    FILE* ready = fopen(argv[1], "w");
    if (!ready) {
        perror(argv[1]);
        return 1;
    }
    fclose(ready);
    ecore_timer_add(lifetime, quitCb, nullptr);
    ecore_event_handler_add(ECORE_EVENT_SIGNAL_EXIT, signalExitCb, nullptr);
    ecore_main_loop_begin();
    efreet_shutdown();
    ecore_shutdown();
    return 0;
}
