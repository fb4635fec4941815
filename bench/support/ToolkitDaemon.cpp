#include "ToolkitDaemon.h"

#include "Programs.h"
#include "TempDir.h"

#include <cstdio>
#include <string>

namespace msg_bench {

namespace {

// The tests' own starter (tests/harness/start-toolkit-daemon): it starts the holder detached and
// silent and waits until it is connected; --stop ends it.
class Holder {
public:
    Holder() {
        msg_test::ProgramRun run =
            msg_test::runCommand({MSG_TOOLKIT_DAEMON_STARTER,
                                  msg_test::binDir() + "/../tests/msg_toolkit_daemon_holder", _dir.path()});
        _connected = run.exitCode == 0;
        if (!_connected)
            std::fprintf(stderr, "the toolkit's daemon is not held: %s", run.err.c_str());
    }
    ~Holder() { msg_test::runCommand({MSG_TOOLKIT_DAEMON_STARTER, "--stop", _dir.path()}); }
    bool connected() const { return _connected; }

private:
    msg_test::TempDir _dir{"msg-bench-daemon"};
    bool _connected = false;
};

} // namespace

bool holdToolkitDaemon() {
    static Holder holder;
    return holder.connected();
}

} // namespace msg_bench
