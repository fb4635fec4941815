// The programs on a device they cannot write: a read-only folder (a read-only bind mount) and a full
// disk (a small memory file system filled to its last block), each made in a mount namespace of the
// run's own. What is stored is shown, every change is refused with its true reason, nothing is lost.
#include "Programs.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

enum class Trouble { READ_ONLY_FOLDER, FULL_DISK };

// Exit status of the set-up when the machine cannot make the trouble (no mount namespaces).
constexpr int CANNOT_SET_UP = 77;
// Seconds a case's programs may take before they are taken to hang; each takes well under one.
const char* const CASE_LIMIT = "100";

// $1 the device folder, $2 the build's programs, $3 a writable scratch folder, $4 the case's script,
// $5 CASE_LIMIT.
const char* const READ_ONLY_SETUP =
    "mount --bind \"$1\" \"$1\" && mount -o remount,bind,ro \"$1\" || exit 77\n";
const char* const FULL_DISK_SETUP =
    "keep=$(mktemp -d) && cp -a \"$1\"/. \"$keep\"/ && mount -t tmpfs -o size=8m tmpfs \"$1\" &&"
    " cp -a \"$keep\"/. \"$1\"/ && rm -rf \"$keep\" || exit 77\n"
    "cat /dev/zero > \"$1/filler\" 2>/dev/null\n";

class StorageTroubleTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("ELM_ENGINE", "buffer", 1);
        setenv("EINA_LOG_BACKTRACE", "-1", 1);
        setenv("MSG_LOG_LEVEL", "warn", 1);
        setenv("LANGUAGE", "en", 1);
    }
    void SetUp() override {
        msg_test::ProgramRun seeded = msg_test::runSim({"seed"}, _device.path());
        ASSERT_EQ(seeded.exitCode, 0) << seeded.err;
        msg_test::ProgramRun list = msg_test::runSim({"list"}, _device.path());
        _conversations = list.out.substr(0, list.out.find('\n'));
        ASSERT_NE(_conversations.find("conversation(s)"), std::string::npos) << list.out;
    }

    // Runs the shell script with the device in trouble; its standard output and error together.
    // A script still running after CASE_LIMIT is ended and said to have hung, with the processes
    // it left, rather than holding the whole run until the test runner's own limit.
    msg_test::ProgramRun run(Trouble trouble, const std::string& script) {
        std::string body =
            std::string(trouble == Trouble::READ_ONLY_FOLDER ? READ_ONLY_SETUP : FULL_DISK_SETUP) +
            "export MSG_DEVICE_DIR=\"$1\" PATH=\"$2:$PATH\" OUT=\"$3\"\n"
            "timeout -k 5 \"$5\" sh -c \"$4\" 2>&1\n"
            "status=$?\n"
            "case $status in 124 | 137) echo \"hung for $5 s (status $status)\"; ps -ef ;; esac\n"
            "exit $status\n";
        msg_test::ProgramRun result =
            msg_test::runCommand({"unshare", "--map-root-user", "--mount", "sh", "-c", body, "sh",
                                  _device.path(), _bin, _out.path(), script, CASE_LIMIT});
        result.out += result.err;
        return result;
    }

    msg_test::TempDir _device{"msg-trouble-device"};
    msg_test::TempDir _out{"msg-trouble-out"};
    std::string _bin = msg_test::binDir();
    std::string _conversations; // msg-sim list's first line before the trouble
};

} // namespace

TEST_F(StorageTroubleTest, EveryProgramShowsWhatIsStoredAndTellsWhyNothingIsSaved) {
    struct Case {
        const char* what;
        const char* script;
        std::vector<std::string> said;
    };
    const char* const reasons[] = {"is read-only", "is full"};
    const char* const sims[] = {"the device folder is read-only: changes cannot be saved",
                                "disk full: the change was not saved"};
    for (Trouble trouble : {Trouble::READ_ONLY_FOLDER, Trouble::FULL_DISK}) {
        const int t = static_cast<int>(trouble);
        const Case cases[] = {
            {"receive",
             "msg-sim receive --from +15550100001 --text 'Hello there'; echo \"exit $?\"; msg-sim list",
             {std::string("msg-sim receive: cannot receive the message: ") + sims[t], "exit 1",
              _conversations}},
            {"launch",
             "msg-sim launch --app com.vorlane.msg-send --extra address=+15550100001 --extra body_text=Hi;"
             " echo \"exit $?\"",
             {reasons[t], "exit 1"}},
            {"app",
             "msg-app --exit-after-first-frame; echo \"exit $?\"",
             {"first-frame-monotonic", std::string(reasons[t]) + ": changes cannot be saved", "exit 0"}},
            {"shot",
             "msg-shot --screen list --out \"$OUT/list.png\"; echo \"exit $?\"",
             {"list.png", "exit 0"}},
        };
        for (const Case& c : cases) {
            msg_test::ProgramRun result = run(trouble, c.script);
            if (result.exitCode == CANNOT_SET_UP)
                GTEST_SKIP() << "no mount namespace here: " << result.out;
            SCOPED_TRACE(std::string(t ? "full disk, " : "read-only folder, ") + c.what + ":\n" + result.out);
            for (const std::string& said : c.said)
                EXPECT_NE(result.out.find(said), std::string::npos) << said;
            for (const char* wrong : {"corrupt", "not a database", "no application for", "hung for"})
                EXPECT_EQ(result.out.find(wrong), std::string::npos) << wrong;
        }
    }
    // Nothing the refused changes touched is lost once the trouble is gone.
    msg_test::ProgramRun list = msg_test::runSim({"list"}, _device.path());
    EXPECT_EQ(list.out.substr(0, list.out.find('\n')), _conversations);
}
