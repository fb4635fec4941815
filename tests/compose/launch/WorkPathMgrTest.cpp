// The composer's working folders: numbering, claims by two processes, and the leftovers of
// processes that are gone.
#include "CommonDeviceTest.h"

#include "app_common.h"
#include "compose/launch/MCWorkPathMgr.h"

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using msg_app::compose::MCWorkPathMgr;

namespace {

class WorkPathMgrTest : public CommonDeviceTest {
protected:
    void SetUp() override {
        CommonDeviceTest::SetUp();
        char* shared = app_get_shared_data_path();
        ASSERT_NE(nullptr, shared);
        base = std::string(shared) + MCWorkPathMgr::BASE_DIR_NAME;
        free(shared);
        ASSERT_EQ(0, mkdir(base.c_str(), 0700));
    }
    void TearDown() override {
        if (!work->getWorkingPath().empty())
            work->destroyWorkingDir();
        CommonDeviceTest::TearDown();
    }
    // A folder owned by the process pid.
    void addDir(int number, long pid) {
        std::string dir = base + "/composer_" + std::to_string(number);
        ASSERT_EQ(0, mkdir(dir.c_str(), 0700));
        std::ofstream(dir + "/.owner") << pid;
    }
    bool exists(const std::string& path) {
        struct stat info {};
        return lstat(path.c_str(), &info) == 0;
    }
    long deadPid() {
        pid_t child = fork();
        if (child == 0)
            _exit(0);
        waitpid(child, nullptr, 0);
        return child;
    }

    std::string base;
    MCWorkPathMgr* work = MCWorkPathMgr::getInstance();
};

// Numbers follow the highest live folder; the leftovers of gone processes are removed, other names
// and links left alone; a base that is itself a link is never used.
TEST_F(WorkPathMgrTest, NumbersFollowTheLiveFoldersAndLeftoversAreRemoved) {
    addDir(3, getpid());
    addDir(7, getpid());
    addDir(9, deadPid());
    std::ofstream(base + "/composer_9/attach_photo.jpg") << "x";
    addDir(12, 0); // an unreadable owner
    std::string outside = device.file("outside");
    ASSERT_EQ(0, mkdir(outside.c_str(), 0700));
    std::ofstream(outside + "/keep") << "x";
    ASSERT_EQ(0, symlink(outside.c_str(), (base + "/composer_2").c_str()));
    ASSERT_EQ(0, mkdir((base + "/composer_x1").c_str(), 0700));
    ASSERT_TRUE(work->createWorkingDir());
    EXPECT_EQ(base + "/composer_8/", work->getWorkingPath());
    EXPECT_FALSE(exists(base + "/composer_9"));
    EXPECT_FALSE(exists(base + "/composer_12"));
    EXPECT_TRUE(exists(base + "/composer_3"));
    EXPECT_TRUE(exists(outside + "/keep"));
    EXPECT_TRUE(exists(base + "/composer_x1"));

    EXPECT_TRUE(work->destroyWorkingDir());
    EXPECT_FALSE(exists(base + "/composer_8"));
    EXPECT_TRUE(work->getWorkingPath().empty());
    EXPECT_FALSE(work->destroyWorkingDir());

    std::string elsewhere = device.file("elsewhere");
    ASSERT_EQ(0, rename(base.c_str(), elsewhere.c_str()));
    ASSERT_EQ(0, symlink(elsewhere.c_str(), base.c_str()));
    EXPECT_FALSE(work->createWorkingDir());
    EXPECT_TRUE(work->getWorkingPath().empty());
}

TEST_F(WorkPathMgrTest, TwoProcessesNeverShareAFolder) {
    int pipes[2];
    ASSERT_EQ(0, pipe(pipes));
    pid_t child = fork();
    if (child == 0) {
        close(pipes[0]);
        MCWorkPathMgr* own = MCWorkPathMgr::getInstance();
        bool ok = own->createWorkingDir();
        std::string path = ok ? own->getWorkingPath() : "";
        ssize_t written = write(pipes[1], path.c_str(), path.size());
        _exit(ok && written > 0 ? 0 : 1);
    }
    close(pipes[1]);
    ASSERT_TRUE(work->createWorkingDir());
    char buffer[512] = {};
    ssize_t got = read(pipes[0], buffer, sizeof(buffer) - 1);
    close(pipes[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_GT(got, 0);
    EXPECT_NE(std::string(buffer), work->getWorkingPath());
}

} // namespace
