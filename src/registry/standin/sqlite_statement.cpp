#include "sqlite_statement.h"

#include "standin_store.h"

namespace marovel::standin {

LONG registryCodeFor(int sqliteCode) {
  switch (sqliteCode & 0xFF) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
    case SQLITE_FORMAT:
    case SQLITE_SCHEMA:
      return ERROR_BADDB;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
    case SQLITE_CANTOPEN:
      return ERROR_ACCESS_DENIED;
    case SQLITE_NOMEM:
      return ERROR_OUTOFMEMORY;
    default:
      return ERROR_REGISTRY_IO_FAILED;
  }
}

void check(sqlite3* db, int sqliteCode) {
  if (sqliteCode == SQLITE_OK || sqliteCode == SQLITE_ROW || sqliteCode == SQLITE_DONE) return;
  std::string message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(sqliteCode);
  throw StoreError(registryCodeFor(sqliteCode), "registry store: " + message);
}

namespace {

// The allocator's statistics take a global mutex around every allocation; nothing reads them.
void configureOnce() {
  static const bool configured = [] {
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);  // refused, harmlessly, once SQLite runs
    return true;
  }();
  (void)configured;
}

}  // namespace

Connection::Connection(const std::string& path, int flags) {
  configureOnce();
  int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
  if (rc != SQLITE_OK) {
    std::string message = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    sqlite3_close(db_);
    throw StoreError(registryCodeFor(rc), "registry store " + path + ": " + message);
  }
  sqlite3_extended_result_codes(db_, 1);
}

Connection::~Connection() {
  // A connection with statements left does not close.
  for (auto& [sql, statement] : statements_) sqlite3_finalize(statement);
  sqlite3_close(db_);
}

sqlite3_stmt* Connection::prepared(const char* sql) {
  if (auto found = statements_.find(sql); found != statements_.end()) return found->second;
  sqlite3_stmt* statement = nullptr;
  check(db_, sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr));
  statements_.emplace(sql, statement);
  return statement;
}

Statement::Statement(Connection& connection, const char* sql)
    : db_(connection.handle()), statement_(connection.prepared(sql)) {}

Statement::~Statement() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

Statement& Statement::bind(int index, std::int64_t number) {
  check(db_, sqlite3_bind_int64(statement_, index, number));
  return *this;
}

Statement& Statement::bind(int index, std::span<const std::uint8_t> bytes) {
  // A null pointer would bind NULL; an empty name or value is a zero-length blob.
  int rc = bytes.empty() ? sqlite3_bind_zeroblob(statement_, index, 0)
                         : sqlite3_bind_blob(statement_, index, bytes.data(), static_cast<int>(bytes.size()),
                                             SQLITE_TRANSIENT);
  check(db_, rc);
  return *this;
}

Statement& Statement::bind(int index, std::string_view bytes) {
  return bind(index, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

bool Statement::step() {
  int rc = sqlite3_step(statement_);
  check(db_, rc);
  return rc == SQLITE_ROW;
}

std::int64_t Statement::integer(int column) const { return sqlite3_column_int64(statement_, column); }

std::vector<std::uint8_t> Statement::bytes(int column) const {
  const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement_, column));
  auto size = static_cast<std::size_t>(sqlite3_column_bytes(statement_, column));
  return data == nullptr ? std::vector<std::uint8_t>() : std::vector<std::uint8_t>(data, data + size);
}

std::string Statement::text(int column) const {
  auto data = bytes(column);
  return std::string(data.begin(), data.end());
}

void execute(sqlite3* db, const char* sql) { check(db, sqlite3_exec(db, sql, nullptr, nullptr, nullptr)); }

}  // namespace marovel::standin
