#include "device/Device.h"
#include "device/ChangeFeed.h"

#include "LogCapture.h"
#include "MainLoop.h"
#include "TempDir.h"

#include <Ecore.h>
#include <atomic>
#include <chrono>
#include <fstream>
#include <glib.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using msg_device::Change;
using msg_device::ChangeLog;
using msg_device::Connection;
using msg_device::Device;
using msg_device::SchemaModule;
using msg_test::pumpUntil;

namespace {

const SchemaModule kNotes{"notes",
                          {"CREATE TABLE notes(id INTEGER PRIMARY KEY, text TEXT NOT NULL);",
                           "ALTER TABLE notes ADD COLUMN author TEXT;"}};

std::unique_ptr<Device> openDevice(const std::string& dir) {
    std::string error;
    auto device = Device::open(dir, &error);
    EXPECT_TRUE(device) << error;
    if (device) {
        EXPECT_TRUE(device->ensureSchema(kNotes));
    }
    return device;
}

bool addNote(Device& device, const std::string& text, const std::string& topic = "notes") {
    return device.write([&](Connection& db, ChangeLog& log) {
        auto insert = db.prepare("INSERT INTO notes(text) VALUES(?)");
        insert.bind(1, text);
        if (!insert.exec())
            return false;
        log.append(topic, text);
        return true;
    });
}

int countNotes(Device& device) {
    auto count = device.connection()->prepare("SELECT count(*) FROM notes");
    return count.step() ? count.columnInt(0) : -1;
}

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override { ecore_init(); }
    void TearDown() override { ecore_shutdown(); }
    msg_test::TempDir dir{"msg-device-test"};
};

} // namespace

TEST_F(DeviceTest, SchemaIsCreatedOnceAndMigrated) {
    auto device = openDevice(dir.path());
    ASSERT_TRUE(device);
    ASSERT_TRUE(addNote(*device, "first"));
    device.reset();

    // A later program knows one more migration; the data survives it.
    SchemaModule grown = kNotes;
    grown.migrations.push_back("CREATE INDEX notes_text ON notes(text);");
    std::string error;
    device = Device::open(dir.path(), &error);
    ASSERT_TRUE(device) << error;
    ASSERT_TRUE(device->ensureSchema(grown));
    EXPECT_EQ(countNotes(*device), 1);
    device.reset();

    // The older program refuses the newer database instead of misreading it.
    msg_test::LogCapture log;
    device = Device::open(dir.path(), &error);
    ASSERT_TRUE(device);
    EXPECT_FALSE(device->ensureSchema(kNotes));
    EXPECT_TRUE(log.contains("newer than this program's 2"));
}

TEST_F(DeviceTest, ForeignAndCorruptDatabasesAreRefused) {
    {
        std::string error;
        auto other = Connection::open(dir.file("device.db"), true, &error);
        ASSERT_TRUE(other);
        ASSERT_TRUE(other->exec("CREATE TABLE contacts(x); INSERT INTO contacts VALUES(1);"));
    }
    std::string error;
    EXPECT_FALSE(Device::open(dir.path(), &error));
    EXPECT_NE(error.find("belongs to another program"), std::string::npos) << error;

    msg_test::TempDir broken("msg-device-broken");
    std::ofstream(broken.file("device.db")) << std::string(8192, 'Z');
    error.clear();
    EXPECT_FALSE(Device::open(broken.path(), &error));
    EXPECT_NE(error.find("corrupt"), std::string::npos) << error;

    error.clear();
    EXPECT_FALSE(Device::open("", &error));
    EXPECT_FALSE(error.empty());
}

TEST_F(DeviceTest, FailedWriteChangesNothing) {
    auto device = openDevice(dir.path());
    ASSERT_TRUE(device);
    bool ok = device->write([](Connection& db, ChangeLog& log) {
        db.prepare("INSERT INTO notes(text) VALUES('lost')").exec();
        log.append("notes", "lost");
        return false;
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(countNotes(*device), 0);
    auto changes = device->connection()->prepare("SELECT count(*) FROM changes");
    ASSERT_TRUE(changes.step());
    EXPECT_EQ(changes.columnInt(0), 0);
}

TEST_F(DeviceTest, HostileTextIsStoredUnchanged) {
    auto device = openDevice(dir.path());
    ASSERT_TRUE(device);
    std::string planes;
    for (char32_t c :
         {U'\u00e9', U'\u05d0', U'\u4e2d', U'\U0001F600', U'\U0002A6D6', U'\U000E0041', U'\U0010FFFD'}) {
        gunichar ch = c;
        char buf[8];
        planes.append(buf, g_unichar_to_utf8(ch, buf));
    }
    std::vector<std::string> texts = {"'; DROP TABLE notes; --", "<b>bold</b> &amp; \"quoted\"",
                                      std::string(100 * 1024, 'x'), planes, std::string("nul\0inside", 10)};
    std::vector<std::string> seen;
    auto sub = device->feed().subscribeScoped("notes", [&](const Change& c) { seen.push_back(c.payload); });
    for (const auto& t : texts)
        ASSERT_TRUE(addNote(*device, t));
    auto read = device->connection()->prepare("SELECT text FROM notes ORDER BY id");
    for (const auto& t : texts) {
        ASSERT_TRUE(read.step());
        EXPECT_EQ(read.columnText(0), t);
    }
    ASSERT_TRUE(pumpUntil([&] { return seen.size() == texts.size(); }));
    EXPECT_EQ(seen, texts);
}

TEST_F(DeviceTest, FeedDeliversInCommitOrderByTopic) {
    auto device = openDevice(dir.path());
    ASSERT_TRUE(device);
    ASSERT_TRUE(addNote(*device, "before subscribing"));
    std::vector<std::string> notes, others;
    auto a = device->feed().subscribeScoped("notes", [&](const Change& c) { notes.push_back(c.payload); });
    auto b = device->feed().subscribeScoped("other", [&](const Change& c) { others.push_back(c.payload); });
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(addNote(*device, std::to_string(i), i % 5 == 0 ? "other" : "notes"));
    ASSERT_TRUE(pumpUntil([&] { return notes.size() + others.size() == 20; }));
    EXPECT_EQ(others, (std::vector<std::string>{"0", "5", "10", "15"}));
    EXPECT_EQ(notes.front(), "1");
    EXPECT_EQ(notes.back(), "19");
    EXPECT_TRUE(std::is_sorted(notes.begin(), notes.end(), [](const std::string& x, const std::string& y) {
        return std::stoi(x) < std::stoi(y);
    }));
}

TEST_F(DeviceTest, ALateSubscriberHearsOnlyChangesCommittedAfterIt) {
    auto device = openDevice(dir.path());
    ASSERT_TRUE(device);
    std::vector<std::string> others, notes;
    auto watching =
        device->feed().subscribeScoped("other", [&](const Change& c) { others.push_back(c.payload); });
    // Committed while the feed watches for another subscriber, not yet delivered.
    ASSERT_TRUE(addNote(*device, "before"));
    auto late = device->feed().subscribeScoped("notes", [&](const Change& c) { notes.push_back(c.payload); });
    ASSERT_TRUE(addNote(*device, "after"));
    ASSERT_TRUE(addNote(*device, "done", "other"));
    ASSERT_TRUE(pumpUntil([&] { return others.size() == 1; }));
    EXPECT_EQ(notes, std::vector<std::string>{"after"});
}

TEST_F(DeviceTest, UnsubscribingDuringDeliveryStopsLaterCalls) {
    auto device = openDevice(dir.path());
    ASSERT_TRUE(device);
    int firstCalls = 0, secondCalls = 0;
    msg_device::ChangeFeed::Subscription second;
    auto first = device->feed().subscribeScoped("notes", [&](const Change&) {
        ++firstCalls;
        second.reset();
    });
    second = device->feed().subscribeScoped("notes", [&](const Change&) { ++secondCalls; });
    ASSERT_TRUE(addNote(*device, "a"));
    ASSERT_TRUE(addNote(*device, "b"));
    ASSERT_TRUE(pumpUntil([&] { return firstCalls == 2; }));
    EXPECT_EQ(secondCalls, 0);
}

TEST_F(DeviceTest, ChangesCrossProcessesInOrder) {
    auto device = openDevice(dir.path());
    ASSERT_TRUE(device);
    std::vector<std::string> seen;
    auto sub = device->feed().subscribeScoped("notes", [&](const Change& c) { seen.push_back(c.payload); });

    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::string error;
        auto other = Device::open(dir.path(), &error);
        bool ok = other && other->ensureSchema(kNotes);
        for (int i = 0; ok && i < 50; ++i)
            ok = addNote(*other, "child " + std::to_string(i));
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_TRUE(pumpUntil([&] { return seen.size() == 50; }, 10.0)) << seen.size();
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(seen[i], "child " + std::to_string(i));
}

TEST_F(DeviceTest, ConcurrentWritersLoseNothing) {
    auto device = openDevice(dir.path());
    ASSERT_TRUE(device);
    constexpr int kPerWriter = 150;
    auto writer = [&](const char* name) {
        for (int i = 0; i < kPerWriter; ++i)
            EXPECT_TRUE(addNote(*device, std::string(name) + std::to_string(i)));
    };
    // A second process writes at the same time; it is forked before the threads start so
    // that it inherits no lock held by them.
    pid_t child = fork();
    if (child == 0) {
        std::string error;
        auto other = Device::open(dir.path(), &error);
        bool ok = other && other->ensureSchema(kNotes);
        for (int i = 0; ok && i < kPerWriter; ++i)
            ok = addNote(*other, "c" + std::to_string(i));
        _exit(ok ? 0 : 1);
    }
    std::thread t1(writer, "a"), t2(writer, "b");
    t1.join();
    t2.join();
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(countNotes(*device), 3 * kPerWriter);
    auto changes = device->connection()->prepare("SELECT count(*) FROM changes WHERE topic = 'notes'");
    ASSERT_TRUE(changes.step());
    EXPECT_EQ(changes.columnInt(0), 3 * kPerWriter);
}

// Each write is the last of its burst, so a commit the feed looked for too early has no later
// event to bring it in.
TEST_F(DeviceTest, LoneWritesOfAWorkerThreadAllArrive) {
    auto device = openDevice(dir.path());
    ASSERT_TRUE(device);
    constexpr int kRounds = 40;
    std::atomic<int> seen{0};
    auto sub = device->feed().subscribeScoped("notes", [&](const Change&) { ++seen; });
    std::atomic<bool> failed{false};
    std::thread writer([&] {
        for (int i = 0; i < kRounds && !failed; ++i) {
            if (!addNote(*device, std::to_string(i)))
                failed = true;
            // The next write waits until this one has been delivered: a lost change never comes
            // (only the next write would bring it in), so the limit is generous for a loaded machine.
            auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (seen <= i && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            if (seen <= i)
                failed = true;
        }
    });
    bool all = pumpUntil([&] { return seen == kRounds || failed; }, 120.0);
    failed = failed || !all;
    writer.join();
    EXPECT_FALSE(failed);
    EXPECT_EQ(seen, kRounds);
}

TEST_F(DeviceTest, DefaultDeviceFollowsTheEnvironment) {
    msg_test::TempDevice temp;
    Device::closeDefault();
    Device* device = Device::getDefault();
    ASSERT_TRUE(device);
    EXPECT_EQ(device->dir(), temp.path());
    EXPECT_EQ(Device::getDefault(), device);
    Device::closeDefault();
}

TEST(DeviceLifetime, DeviceOutlivingTheMainLoopClosesCleanly) {
    // A process that shuts Ecore down before closing its device must not crash when the
    // feed removes its watch.
    msg_test::TempDir dir("msg-device-late");
    ecore_init();
    auto device = openDevice(dir.path());
    ASSERT_TRUE(device);
    int calls = 0;
    auto sub = device->feed().subscribeScoped("notes", [&](const Change&) { ++calls; });
    ASSERT_TRUE(addNote(*device, "x"));
    ASSERT_TRUE(pumpUntil([&] { return calls == 1; }));
    ecore_shutdown();
    sub.reset();
    device.reset();
}
