// Thin RAII wrappers over the SQLite C API that turn failures into StoreError.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "win32_registry.h"

namespace marovel::standin {

// The registry error code for an SQLite result code.
LONG registryCodeFor(int sqliteCode);

// Throws StoreError for a result code that is neither OK, ROW nor DONE.
void check(sqlite3* db, int sqliteCode);

// One open connection and the statements prepared on it: preparing costs more than running
// the registry's small statements, so each SQL text is prepared once and kept. The texts are
// literals, so each is found by its address rather than by hashing it on every call.
class Connection {
 public:
  // Throws StoreError when the file cannot be opened with these flags.
  Connection(const std::string& path, int flags);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  sqlite3* handle() const { return db_; }
  sqlite3_stmt* prepared(const char* sql);

 private:
  sqlite3* db_ = nullptr;
  std::unordered_map<const char*, sqlite3_stmt*> statements_;
};

// One use of a connection's prepared statement; a given SQL text is in one use at a time.
class Statement {
 public:
  Statement(Connection& connection, const char* sql);  // sql: a string literal
  ~Statement();  // readies the statement for its next use
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& bind(int index, std::int64_t number);
  Statement& bind(int index, std::span<const std::uint8_t> bytes);
  Statement& bind(int index, std::string_view bytes);

  bool step();  // true while there is a row
  std::int64_t integer(int column) const;
  std::vector<std::uint8_t> bytes(int column) const;
  std::string text(int column) const;  // the column's bytes as they are

 private:
  sqlite3* db_;
  sqlite3_stmt* statement_;
};

// Runs SQL text of any number of statements, unprepared: for set-up that runs once.
void execute(sqlite3* db, const char* sql);

}  // namespace marovel::standin
