#include "StoreFixture.h"

#include "device/Device.h"

#include <glib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <set>
#include <thread>

using namespace msg_store;
using msg_test::StoreTest;

namespace {

// The writer is built beside the test program.
std::string writerPath() {
    gchar* self = g_file_read_link("/proc/self/exe", nullptr);
    gchar* dir = g_path_get_dirname(self ? self : ".");
    std::string path = std::string(dir) + "/msg_store_writer";
    g_free(dir);
    g_free(self);
    return path;
}

// A writer process of `count` messages whose committed ids are read as it prints them.
class Writer {
public:
    Writer(const std::string& tag, int count) {
        std::string path = writerPath();
        std::string countText = std::to_string(count);
        gchar* argv[] = {path.data(), const_cast<gchar*>(tag.c_str()), countText.data(), nullptr};
        int out = -1;
        GError* error = nullptr;
        if (!g_spawn_async_with_pipes(nullptr, argv, nullptr, G_SPAWN_DO_NOT_REAP_CHILD, nullptr, nullptr,
                                      &_pid, nullptr, &out, nullptr, &error)) {
            ADD_FAILURE() << "cannot start " << path << ": " << error->message;
            g_error_free(error);
            return;
        }
        _out = fdopen(out, "r");
    }
    ~Writer() {
        if (_out)
            std::fclose(_out);
        // A test that stopped early leaves no writer behind.
        if (_pid > 0) {
            ::kill(_pid, SIGKILL);
            waitpid(_pid, nullptr, 0);
        }
    }

    // Reads ids until `limit` of them or the end of the output; false at the end.
    bool read(size_t limit) {
        int id = -1;
        while (ids.size() < limit && _out && std::fscanf(_out, "%d", &id) == 1)
            ids.push_back(id);
        return ids.size() >= limit;
    }
    void kill() { ::kill(_pid, SIGKILL); }
    // The exit status, once the output is read to its end.
    int wait() {
        int status = 0;
        waitpid(_pid, &status, 0);
        _pid = -1;
        return status;
    }

    std::vector<int> ids;

private:
    GPid _pid = -1;
    FILE* _out = nullptr;
};

void expectStored(const std::vector<int>& ids) {
    MessageManager messages;
    size_t missing = 0;
    for (int id : ids) {
        Message message;
        if (messages.getMessage(id, message) != MSG_STORE_SUCCESS)
            ++missing;
    }
    EXPECT_EQ(missing, 0u) << "of " << ids.size() << " committed messages";
}

void expectIntact() {
    auto select = msg_device::Device::getDefault()->connection()->prepare("PRAGMA integrity_check");
    ASSERT_TRUE(select.step());
    EXPECT_EQ(select.columnText(0), "ok");
}

} // namespace

TEST_F(StoreTest, AWriterKilledMidWayLosesNoCommittedMessage) {
    Writer writer("killed", 10000);
    // Enough writes for the kill to land in the middle of one, far from the end.
    ASSERT_TRUE(writer.read(1500));
    writer.kill();
    writer.read(10000);
    int status = writer.wait();
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the writer ended before the kill";

    expectStored(writer.ids);
    expectIntact();
    // The store goes on taking writes after the crash.
    EXPECT_GT(receive("+15550109999", "after the crash"), writer.ids.back());
}

// Two processes and two threads of this one write to the same sender at once: one conversation,
// every message once.
TEST_F(StoreTest, WritersOfSeveralProcessesAndThreadsAtOnceLoseNothing) {
    const int count = 500;
    Writer first("first", count);
    Writer second("second", count);
    std::atomic<int> local{0};
    auto writeHere = [&] {
        for (int i = 0; i < count; ++i)
            local += PhoneSide::insertMessage(incoming("+15550109999", "here"), nullptr) == MSG_STORE_SUCCESS;
    };
    std::thread one(writeHere), two(writeHere);
    first.read(count);
    second.read(count);
    one.join();
    two.join();
    EXPECT_EQ(local, 2 * count);
    EXPECT_EQ(first.wait(), 0);
    EXPECT_EQ(second.wait(), 0);
    ASSERT_EQ(first.ids.size(), static_cast<size_t>(count));
    ASSERT_EQ(second.ids.size(), static_cast<size_t>(count));

    std::set<int> distinct(first.ids.begin(), first.ids.end());
    distinct.insert(second.ids.begin(), second.ids.end());
    EXPECT_EQ(distinct.size(), 2u * count) << "no id is given twice";
    expectStored(first.ids);
    expectStored(second.ids);
    std::vector<Thread> threads;
    ASSERT_EQ(ThreadManager().getAllThreads(threads), MSG_STORE_SUCCESS);
    ASSERT_EQ(threads.size(), 1u) << "one sender, one conversation";
    EXPECT_EQ(threads[0].msgCount, 4 * count) << "no message is written twice";
    expectIntact();
}
