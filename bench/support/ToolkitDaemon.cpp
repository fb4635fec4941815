#include "ToolkitDaemon.h"

#include "Programs.h"
#include "TempDir.h"

#include <glib.h>
#include <signal.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace msg_bench {

namespace {

// Should the benchmark be killed before its end, the holder ends by itself after this.
constexpr const char* HOLDER_LIFETIME_SECONDS = "10800";
constexpr gint64 CONNECT_WAIT_US = 20 * G_USEC_PER_SEC;

class Holder {
public:
    Holder() {
        std::string ready = _dir.file("ready");
        std::string path = msg_test::binDir() + "/../tests/msg_toolkit_daemon_holder";
        const gchar* argv[] = {path.c_str(), ready.c_str(), HOLDER_LIFETIME_SECONDS, nullptr};
        GError* error = nullptr;
        // Its output, and the daemon's it starts, go nowhere: nothing waits on them.
        if (!g_spawn_async(nullptr, const_cast<gchar**>(argv), nullptr,
                           static_cast<GSpawnFlags>(G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_STDOUT_TO_DEV_NULL |
                                                    G_SPAWN_STDERR_TO_DEV_NULL),
                           nullptr, nullptr, &_pid, &error)) {
            std::fprintf(stderr, "cannot start %s: %s\n", path.c_str(), error->message);
            g_error_free(error);
            return;
        }
        const gint64 end = g_get_monotonic_time() + CONNECT_WAIT_US;
        while (!g_file_test(ready.c_str(), G_FILE_TEST_EXISTS)) {
            if (g_get_monotonic_time() > end || waitpid(_pid, nullptr, WNOHANG) == _pid) {
                std::fprintf(stderr, "the toolkit's daemon holder did not connect\n");
                _stop();
                return;
            }
            g_usleep(10000);
        }
        _connected = true;
    }
    ~Holder() { _stop(); }
    bool connected() const { return _connected; }

private:
    void _stop() {
        if (_pid <= 0)
            return;
        kill(_pid, SIGTERM);
        waitpid(_pid, nullptr, 0);
        g_spawn_close_pid(_pid);
        _pid = 0;
    }

    msg_test::TempDir _dir{"msg-bench-daemon"};
    GPid _pid = 0;
    bool _connected = false;
};

} // namespace

bool holdToolkitDaemon() {
    static Holder holder;
    return holder.connected();
}

} // namespace msg_bench
