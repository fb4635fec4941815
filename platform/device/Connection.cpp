#include "device/Connection.h"

#include "log/PlatformLog.h"

#include <sqlite3.h>
#include <utility>

namespace msg_device {

namespace {
constexpr int kBusyTimeoutMs = 5000;
}

Statement::~Statement() {
    if (_stmt)
        sqlite3_finalize(_stmt);
}

Statement::Statement(Statement&& other) noexcept
    : _db(std::exchange(other._db, nullptr)), _stmt(std::exchange(other._stmt, nullptr)),
      _failed(other._failed) {}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        if (_stmt)
            sqlite3_finalize(_stmt);
        _db = std::exchange(other._db, nullptr);
        _stmt = std::exchange(other._stmt, nullptr);
        _failed = other._failed;
    }
    return *this;
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

std::unique_ptr<Connection> Connection::open(const std::string& path, bool create, std::string* error) {
    sqlite3* db = nullptr;
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        if (error)
            *error =
                std::string("cannot open ") + path + ": " + (db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_extended_result_codes(db, 1);
    return std::unique_ptr<Connection>(new Connection(db));
}

Connection::~Connection() {
    sqlite3_close_v2(_db);
}

bool Connection::exec(const std::string& sql) {
    char* message = nullptr;
    int rc = sqlite3_exec(_db, sql.c_str(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        PLAT_LOGE("sqlite3_exec failed(%d): %s", rc, message ? message : sqlite3_errstr(rc));
        sqlite3_free(message);
        return false;
    }
    return true;
}

Statement Connection::prepare(const char* sql) {
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(_db, sql, -1, &stmt, nullptr);
    if (rc != SQLITE_OK) {
        PLAT_LOGE("sqlite3_prepare_v2 failed(%d): %s", rc, sqlite3_errmsg(_db));
        return Statement();
    }
    return Statement(_db, stmt);
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
