#include "device/Connection.h"

#include "log/PlatformLog.h"

#include <cstdio>
#include <sqlite3.h>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace msg_device {

// Compiled statements a connection is not using, by their SQL: compiling one again costs tens of
// thousands of instructions, taking it back a lookup. Each is reset, so it holds no read snapshot
// while it waits.
class StatementCache {
public:
    // Enough for every fixed statement of the store and the services; SQL built anew each time
    // (lists of ids) finds the cache full instead of growing it.
    static constexpr size_t MAX_IDLE = 96;

    StatementCache() = default;
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;
    ~StatementCache() {
        for (auto& entry : _idle)
            sqlite3_finalize(entry.second);
    }

    sqlite3_stmt* take(const char* sql) {
        auto found = _idle.find(sql);
        if (found == _idle.end())
            return nullptr;
        sqlite3_stmt* stmt = found->second;
        _idle.erase(found);
        return stmt;
    }

    void keep(sqlite3_stmt* stmt) {
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
        // The key is the statement's own copy of its SQL: it lives as long as the statement.
        const char* sql = sqlite3_sql(stmt);
        if (!sql || _idle.size() >= MAX_IDLE || !_idle.emplace(sql, stmt).second)
            sqlite3_finalize(stmt);
    }

private:
    std::unordered_map<std::string_view, sqlite3_stmt*> _idle;
};

namespace {
constexpr int kBusyTimeoutMs = 5000;
thread_local int tLastFailure = SQLITE_OK;

void noteFailure(int rc) {
    tLastFailure = rc;
}
} // namespace

int Connection::lastFailure() {
    return tLastFailure;
}

void Connection::clearFailure() {
    tLastFailure = SQLITE_OK;
}

Statement::~Statement() {
    _release();
}

Statement::Statement(Statement&& other) noexcept
    : _db(std::exchange(other._db, nullptr)), _stmt(std::exchange(other._stmt, nullptr)),
      _cache(std::move(other._cache)), _failed(other._failed) {}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        _release();
        _db = std::exchange(other._db, nullptr);
        _stmt = std::exchange(other._stmt, nullptr);
        _cache = std::move(other._cache);
        _failed = other._failed;
    }
    return *this;
}

void Statement::_release() {
    if (!_stmt)
        return;
    // A connection already closed took its cache with it: the statement is finalized alone.
    if (std::shared_ptr<StatementCache> cache = _cache.lock())
        cache->keep(_stmt);
    else
        sqlite3_finalize(_stmt);
    _stmt = nullptr;
}

Statement& Statement::bind(int index, int value) {
    if (_stmt)
        sqlite3_bind_int(_stmt, index, value);
    return *this;
}

Statement& Statement::bind(int index, int64_t value) {
    if (_stmt)
        sqlite3_bind_int64(_stmt, index, value);
    return *this;
}

Statement& Statement::bind(int index, double value) {
    if (_stmt)
        sqlite3_bind_double(_stmt, index, value);
    return *this;
}

Statement& Statement::bind(int index, const std::string& value) {
    if (_stmt)
        sqlite3_bind_text(_stmt, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::bind(int index, const char* value) {
    if (!value)
        return bindNull(index);
    if (_stmt)
        sqlite3_bind_text(_stmt, index, value, -1, SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::bindNull(int index) {
    if (_stmt)
        sqlite3_bind_null(_stmt, index);
    return *this;
}

bool Statement::step() {
    if (!_stmt) {
        _failed = true;
        return false;
    }
    int rc = sqlite3_step(_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE) {
        _failed = true;
        noteFailure(sqlite3_extended_errcode(_db));
        PLAT_LOGE("sqlite3_step failed(%d): %s", rc, sqlite3_errmsg(_db));
    }
    return false;
}

bool Statement::exec() {
    while (step()) {
    }
    return !_failed;
}

void Statement::reset() {
    if (!_stmt)
        return;
    sqlite3_reset(_stmt);
    sqlite3_clear_bindings(_stmt);
    _failed = false;
}

int Statement::columnInt(int column) const {
    return sqlite3_column_int(_stmt, column);
}

int64_t Statement::columnInt64(int column) const {
    return sqlite3_column_int64(_stmt, column);
}

double Statement::columnDouble(int column) const {
    return sqlite3_column_double(_stmt, column);
}

std::string Statement::columnText(int column) const {
    const unsigned char* text = sqlite3_column_text(_stmt, column);
    if (!text)
        return std::string();
    return std::string(reinterpret_cast<const char*>(text), sqlite3_column_bytes(_stmt, column));
}

bool Statement::columnIsNull(int column) const {
    return sqlite3_column_type(_stmt, column) == SQLITE_NULL;
}

namespace {
std::unique_ptr<sqlite3, int (*)(sqlite3*)> openWith(const std::string& path, int flags, std::string* error) {
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        noteFailure(rc);
        if (error)
            *error =
                std::string("cannot open ") + path + ": " + (db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        return {nullptr, sqlite3_close};
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_extended_result_codes(db, 1);
    return {db, sqlite3_close};
}
} // namespace

std::unique_ptr<Connection> Connection::open(const std::string& path, bool create, std::string* error) {
    auto db = openWith(path, SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0), error);
    return db ? std::unique_ptr<Connection>(new Connection(db.release())) : nullptr;
}

std::unique_ptr<Connection> Connection::openReadOnly(const std::string& path, std::string* error) {
    // A reader of a database in WAL mode needs its -wal and -shm files, which it makes when they
    // are missing. Where it cannot (a read-only folder, a full disk), nobody can write the
    // database either: it is read as it stands.
    if (auto db = openWith(path, SQLITE_OPEN_READONLY, error)) {
        sqlite3_stmt* probe = nullptr;
        bool readable =
            sqlite3_prepare_v2(db.get(), "PRAGMA schema_version", -1, &probe, nullptr) == SQLITE_OK &&
            sqlite3_step(probe) == SQLITE_ROW;
        sqlite3_finalize(probe);
        if (readable)
            return std::unique_ptr<Connection>(new Connection(db.release()));
    }
    std::string uri = "file:";
    for (char c : path) {
        if (c == '%' || c == '?' || c == '#') {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
            uri += escaped;
        } else {
            uri += c;
        }
    }
    auto db = openWith(uri + "?immutable=1", SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, error);
    return db ? std::unique_ptr<Connection>(new Connection(db.release())) : nullptr;
}

Connection::Connection(sqlite3* db) : _db(db), _cache(std::make_shared<StatementCache>()) {}

Connection::~Connection() {
    // Idle statements go first; one still held is finalized by its holder, and the connection
    // closes once it is.
    _cache.reset();
    sqlite3_close_v2(_db);
}

bool Connection::exec(const std::string& sql) {
    char* message = nullptr;
    int rc = sqlite3_exec(_db, sql.c_str(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        noteFailure(rc);
        PLAT_LOGE("sqlite3_exec failed(%d): %s", rc, message ? message : sqlite3_errstr(rc));
        sqlite3_free(message);
        return false;
    }
    return true;
}

Statement Connection::prepare(const char* sql) {
    if (!sql)
        return Statement();
    if (sqlite3_stmt* kept = _cache->take(sql))
        return Statement(_db, kept, _cache);
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v3(_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (rc != SQLITE_OK) {
        noteFailure(rc);
        PLAT_LOGE("sqlite3_prepare_v3 failed(%d): %s", rc, sqlite3_errmsg(_db));
        return Statement();
    }
    return Statement(_db, stmt, _cache);
}

int64_t Connection::lastInsertId() const {
    return sqlite3_last_insert_rowid(_db);
}

int Connection::changes() const {
    return sqlite3_changes(_db);
}

std::string Connection::lastError() const {
    return sqlite3_errmsg(_db);
}

Transaction::Transaction(Connection& connection) : _connection(connection) {
    _active = _connection.exec("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
    if (_active)
        _connection.exec("ROLLBACK");
}

bool Transaction::commit() {
    if (!_active)
        return false;
    _active = false;
    if (_connection.exec("COMMIT"))
        return true;
    _connection.exec("ROLLBACK");
    return false;
}

} // namespace msg_device
