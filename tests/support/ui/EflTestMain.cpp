// main() for tests that drive real widgets: Elementary is initialised once
// for the whole program, on the buffer engine unless ELM_ENGINE says otherwise.
#include <Elementary.h>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("ELM_ENGINE", "buffer", 0);
    setenv("EINA_LOG_BACKTRACE", "-1", 0);
    setenv("EINA_LOG_LEVELS", "eldbus:0,ecore_system_upower:0,ecore_system_systemd:0,eina_safety:0", 0);
    testing::InitGoogleTest(&argc, argv);
    elm_init(argc, argv);
    // Elementary stays up until the process ends: shutting it down unloads its engine modules,
    // and the leak checker could then no longer tell the toolkit's own allocations from ours.
    return RUN_ALL_TESTS();
}
