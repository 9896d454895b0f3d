// Thin RAII wrappers over the SQLite C API that turn failures into StoreError.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "win32_registry.h"

namespace marovel::standin {

// The registry error code for an SQLite result code.
LONG registryCodeFor(int sqliteCode);

// Throws StoreError for a result code that is neither OK, ROW nor DONE.
void check(sqlite3* db, int sqliteCode);

class Statement {
 public:
  Statement(sqlite3* db, const char* sql);
  ~Statement();
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
  sqlite3_stmt* statement_ = nullptr;
};

void execute(sqlite3* db, const char* sql);

}  // namespace marovel::standin
