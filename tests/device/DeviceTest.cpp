#include "device/Device.h"
#include "device/ChangeFeed.h"

#include "LogCapture.h"
#include "MainLoop.h"
#include "TempDir.h"

#include <Ecore.h>
#include <atomic>
#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using msg_device::Change;
using msg_device::ChangeLog;
using msg_device::Connection;
using msg_device::Device;
using msg_test::pumpUntil;

namespace {

const msg_device::SchemaModule kNotes{"notes",
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

int countRows(Device& device, const char* sql = "SELECT count(*) FROM notes") {
    auto count = device.connection()->prepare(sql);
    return count.step() ? count.columnInt(0) : -1;
}

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ecore_init();
        ASSERT_TRUE(device = openDevice(dir.path()));
    }
    void TearDown() override {
        subs.clear();
        device.reset();
        ecore_shutdown();
    }
    // Keeps the payloads of a topic's changes until the test ends.
    void collect(const std::string& topic, std::vector<std::string>& into) {
        subs.push_back(
            device->feed().subscribeScoped(topic, [&into](const Change& c) { into.push_back(c.payload); }));
    }
    msg_test::TempDir dir{"msg-device-test"};
    std::unique_ptr<Device> device;
    std::vector<msg_device::ChangeFeed::Subscription> subs;
};

} // namespace

TEST_F(DeviceTest, SchemaIsMigratedAndANewerOneRefused) {
    ASSERT_TRUE(addNote(*device, "first"));
    device.reset();

    // A later program knows one more migration; the data survives it.
    msg_device::SchemaModule grown = kNotes;
    grown.migrations.push_back("CREATE INDEX notes_text ON notes(text);");
    std::string error;
    ASSERT_TRUE(device = Device::open(dir.path(), &error)) << error;
    ASSERT_TRUE(device->ensureSchema(grown));
    EXPECT_EQ(countRows(*device), 1);
    device.reset();

    // The older program refuses the newer database instead of misreading it.
    msg_test::LogCapture log;
    ASSERT_TRUE(device = Device::open(dir.path(), &error)) << error;
    EXPECT_FALSE(device->ensureSchema(kNotes));
    EXPECT_TRUE(log.contains("newer than this program's 2"));
}

TEST(DeviceOpen, ForeignCorruptAndMissingDatabasesAreRefused) {
    msg_test::TempDir foreign("msg-device-foreign"), broken("msg-device-broken");
    std::string error;
    auto other = Connection::open(foreign.file("device.db"), true, &error);
    ASSERT_TRUE(other && other->exec("CREATE TABLE contacts(x); INSERT INTO contacts VALUES(1);")) << error;
    std::ofstream(broken.file("device.db")) << std::string(8192, 'Z');
    for (const auto& [folder, says] : std::vector<std::pair<std::string, std::string>>{
             {foreign.path(), "belongs to another program"}, {broken.path(), "corrupt"}, {"", "folder"}}) {
        EXPECT_FALSE(Device::open(folder, &error)) << folder;
        EXPECT_NE(error.find(says), std::string::npos) << error;
    }
}

TEST_F(DeviceTest, HostileTextIsKeptAndAFailedWriteChangesNothing) {
    bool ok = device->write([](Connection& db, ChangeLog& log) {
        db.prepare("INSERT INTO notes(text) VALUES('lost')").exec();
        log.append("notes", "lost");
        return false;
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(countRows(*device), 0);
    EXPECT_EQ(countRows(*device, "SELECT count(*) FROM changes"), 0);

    // Characters of every plane, up to the last one.
    const std::string planes = "\u00e9\u05d0\u4e2d\U0001F600\U0002A6D6\U000E0041\U0010FFFD";
    std::vector<std::string> texts = {"'; DROP TABLE notes; --", "<b>bold</b> &amp; \"quoted\"",
                                      std::string(100 * 1024, 'x'), planes, std::string("nul\0inside", 10)};
    std::vector<std::string> seen;
    collect("notes", seen);
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

// A database that cannot grow (SQLite's own page limit, as a full disk would stop it) refuses the
// write as a full disk, keeps what it held, and writes again once there is room.
TEST_F(DeviceTest, AWriteThatFindsNoRoomIsToldAsADiskFullAndLosesNothing) {
    ASSERT_TRUE(addNote(*device, "kept"));
    Connection& db = *device->connection();
    auto pages = db.prepare("PRAGMA page_count");
    ASSERT_TRUE(pages.step());
    ASSERT_TRUE(db.exec("PRAGMA max_page_count=" + std::to_string(pages.columnInt(0))));
    msg_test::LogCapture log;
    EXPECT_FALSE(addNote(*device, std::string(64 * 1024, 'x')));
    EXPECT_EQ(Device::lastWriteFailure(), Device::Failure::DISK_FULL);
    EXPECT_TRUE(log.contains("is full: changes cannot be saved"));
    EXPECT_EQ(countRows(*device), 1);
    // A refusal of the write's own is no storage failure.
    EXPECT_FALSE(device->write([](Connection&, ChangeLog&) { return false; }));
    EXPECT_EQ(Device::lastWriteFailure(), Device::Failure::NONE);
    ASSERT_TRUE(db.exec("PRAGMA max_page_count=1000000"));
    EXPECT_TRUE(addNote(*device, std::string(64 * 1024, 'x')));
    EXPECT_EQ(Device::lastWriteFailure(), Device::Failure::NONE);
    EXPECT_EQ(countRows(*device), 2);
}

TEST_F(DeviceTest, SubscribersHearTheirTopicInCommitOrderFromTheirSubscription) {
    std::vector<std::string> notes, others, wantNotes, wantOthers;
    collect("other", others);
    // Committed while the feed watches for another subscriber, not yet delivered.
    ASSERT_TRUE(addNote(*device, "before"));
    collect("notes", notes);
    // A subscriber dropped by an earlier one during a delivery is not called any more.
    int droppedCalls = 0;
    msg_device::ChangeFeed::Subscription dropped;
    auto dropping = device->feed().subscribeScoped("notes", [&](const Change&) { dropped.reset(); });
    dropped = device->feed().subscribeScoped("notes", [&](const Change&) { ++droppedCalls; });
    for (int i = 1; i <= 20; ++i) {
        ASSERT_TRUE(addNote(*device, std::to_string(i), i % 5 == 0 ? "other" : "notes"));
        (i % 5 == 0 ? wantOthers : wantNotes).push_back(std::to_string(i));
    }
    ASSERT_TRUE(pumpUntil([&] { return notes.size() + others.size() == 20; }));
    EXPECT_EQ(others, wantOthers);
    EXPECT_EQ(notes, wantNotes);
    EXPECT_EQ(droppedCalls, 0);
}

TEST_F(DeviceTest, ConcurrentWritersLoseNothingAndAnotherProcessIsHeardInOrder) {
    constexpr int kPerWriter = 150;
    std::vector<std::string> seen;
    collect("notes", seen);
    // The other process is forked before the threads start so that it inherits no lock held by them.
    pid_t child = fork();
    if (child == 0) {
        auto other = Device::open(dir.path(), nullptr);
        bool ok = other && other->ensureSchema(kNotes);
        for (int i = 0; ok && i < kPerWriter; ++i)
            ok = addNote(*other, "c" + std::to_string(i));
        _exit(ok ? 0 : 1);
    }
    auto writer = [&](const char* name) {
        for (int i = 0; i < kPerWriter; ++i)
            EXPECT_TRUE(addNote(*device, name + std::to_string(i)));
    };
    std::thread t1(writer, "a"), t2(writer, "b");
    t1.join();
    t2.join();
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(countRows(*device), 3 * kPerWriter);
    ASSERT_TRUE(pumpUntil([&] { return seen.size() == 3 * kPerWriter; }, 10.0)) << seen.size();
    // The other process's changes keep their order among the threads' ones.
    int next = 0;
    for (const auto& payload : seen)
        next += payload == "c" + std::to_string(next);
    EXPECT_EQ(next, kPerWriter);
}

// Each write is the last of its burst, so a commit the feed looked for too early has no later
// event to bring it in.
TEST_F(DeviceTest, LoneWritesOfAWorkerThreadAllArrive) {
    constexpr int kRounds = 40;
    std::atomic<int> seen{0};
    auto sub = device->feed().subscribeScoped("notes", [&](const Change&) { ++seen; });
    std::atomic<bool> failed{false};
    std::thread writer([&] {
        for (int i = 0; i < kRounds && !failed; ++i) {
            failed = !addNote(*device, std::to_string(i));
            // The next write waits until this one has been delivered: a lost change never comes
            // (only the next write would bring it in), so the limit is generous for a loaded machine.
            auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (seen <= i && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            failed = failed || seen <= i;
        }
    });
    bool all = pumpUntil([&] { return seen == kRounds || failed; }, 120.0);
    writer.join();
    EXPECT_TRUE(all && !failed);
    EXPECT_EQ(seen, kRounds);
}

// A process that shuts Ecore down before closing its device must not crash when the feed removes
// its watch.
TEST(DeviceLifetime, ADeviceOutlivesTheMainLoop) {
    msg_test::TempDir temp("msg-device-test");
    ecore_init();
    auto own = openDevice(temp.path());
    ASSERT_TRUE(own);
    int calls = 0;
    auto sub = own->feed().subscribeScoped("notes", [&](const Change&) { ++calls; });
    ASSERT_TRUE(addNote(*own, "x"));
    ASSERT_TRUE(pumpUntil([&] { return calls == 1; }));
    ecore_shutdown();
    sub.reset();
    own.reset();
}

TEST_F(DeviceTest, AStatementUsedAgainSeesNewRowsWithoutItsOldBindingsAndMayOutliveItsConnection) {
    const char* sql = "SELECT text FROM notes WHERE text >= ? ORDER BY text";
    ASSERT_TRUE(addNote(*device, "a") && addNote(*device, "b"));
    {
        // Left after its first row: it was reading when it was given up.
        auto select = device->connection()->prepare(sql);
        ASSERT_TRUE(select.bind(1, "a").step());
    }
    // Another process adds a row: the statement taken again reads after it, not from where the
    // first use stopped.
    std::string error;
    auto other = Connection::open(dir.file("device.db"), false, &error);
    ASSERT_TRUE(other) << error;
    ASSERT_TRUE(other->prepare("INSERT INTO notes(text) VALUES('c')").exec());
    auto again = device->connection()->prepare(sql);
    EXPECT_FALSE(again.step()) << "the old binding stayed: " << again.columnText(0);
    again.reset();
    std::vector<std::string> texts;
    for (again.bind(1, "b"); again.step();)
        texts.push_back(again.columnText(0));
    EXPECT_EQ(texts, (std::vector<std::string>{"b", "c"}));

    // A statement held as its connection closes is still whole, and goes with its holder.
    auto held = other->prepare("SELECT count(*) FROM notes");
    other.reset();
    ASSERT_TRUE(held.step());
    EXPECT_EQ(held.columnInt(0), 3);
}
