/*
 * A thin, safe layer over one SQLite connection: statements with bound
 * parameters, typed column reads and scoped transactions.
 */
#ifndef MSG_DEVICE_CONNECTION_H
#define MSG_DEVICE_CONNECTION_H

#include <cstdint>
#include <memory>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace msg_device {

class StatementCache;

class Statement {
public:
    Statement() = default;
    // cache: where the statement goes back to, reset, when this is done with it; none finalizes it.
    Statement(sqlite3* db, sqlite3_stmt* stmt, std::weak_ptr<StatementCache> cache = {})
        : _db(db), _stmt(stmt), _cache(std::move(cache)) {}
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool valid() const { return _stmt != nullptr; }

    // Parameters are numbered from 1, as in SQL.
    Statement& bind(int index, int value);
    Statement& bind(int index, int64_t value);
    Statement& bind(int index, double value);
    Statement& bind(int index, const std::string& value);
    Statement& bind(int index, const char* value); // null binds NULL
    Statement& bindNull(int index);

    // Advances to the next row; false at the end or on error (see failed()).
    bool step();
    // Runs a statement that returns no rows; false on error.
    bool exec();
    bool failed() const { return _failed; }
    void reset();

    // Columns are numbered from 0.
    int columnInt(int column) const;
    int64_t columnInt64(int column) const;
    double columnDouble(int column) const;
    std::string columnText(int column) const;
    bool columnIsNull(int column) const;

private:
    void _release();

    sqlite3* _db = nullptr;
    sqlite3_stmt* _stmt = nullptr;
    std::weak_ptr<StatementCache> _cache;
    bool _failed = false;
};

class Connection {
public:
    // Opens (creating when asked) the database file; null with a reason on failure.
    static std::unique_ptr<Connection> open(const std::string& path, bool create, std::string* error);
    // Opens the database file for reading only, as a read-only folder or a full disk allow.
    static std::unique_ptr<Connection> openReadOnly(const std::string& path, std::string* error);
    // The SQLite result code of the calling thread's last failed call on any connection (its
    // connection is its own), 0 after clearFailure(): tells a full disk from other failures.
    static int lastFailure();
    static void clearFailure();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Runs one or more statements without parameters.
    bool exec(const std::string& sql);
    // An invalid statement (logged) when the SQL does not compile. A statement done with is kept
    // compiled for the next prepare of the same SQL on this connection.
    Statement prepare(const char* sql);
    int64_t lastInsertId() const;
    int changes() const;
    std::string lastError() const;
    sqlite3* handle() const { return _db; }

private:
    explicit Connection(sqlite3* db);
    sqlite3* _db;
    std::shared_ptr<StatementCache> _cache;
};

// BEGIN IMMEDIATE on construction; rolls back unless commit() succeeded.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool active() const { return _active; }
    bool commit();

private:
    Connection& _connection;
    bool _active = false;
};

} // namespace msg_device

#endif
