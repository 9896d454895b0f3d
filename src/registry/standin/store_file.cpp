#include "store_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>

#include "key_tree.h"
#include "sqlite_statement.h"
#include "standin_store.h"

namespace marovel::standin {
namespace {

// "MRVL": tells our stores from any other SQLite database.
constexpr std::int64_t kApplicationId = 0x4D52564C;
constexpr std::int64_t kSchemaVersion = 1;
constexpr int kBusyTimeoutMs = 15000;

// Set when a store is made; only a file carrying both is taken for one of ours.
std::string storeMarks() {
  return "PRAGMA application_id = " + std::to_string(kApplicationId) +
         "; PRAGMA user_version = " + std::to_string(kSchemaVersion);
}

[[noreturn]] void fail(LONG code, const std::string& what) { throw StoreError(code, what); }

std::string directoryOf(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// A store file counts as read-only when its permission bits grant no write, even to root.
bool processMayWrite(const std::string& path, const struct stat* existing) {
  if (access(directoryOf(path).c_str(), W_OK | X_OK) != 0) return false;
  if (existing == nullptr) return true;
  return (existing->st_mode & 0222) != 0 && access(path.c_str(), W_OK) == 0;
}

sqlite3* openConnection(const std::string& path, int flags) {
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
  if (rc != SQLITE_OK) {
    std::string message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    sqlite3_close(db);
    fail(registryCodeFor(rc), "registry store " + path + ": " + message);
  }
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  sqlite3_extended_result_codes(db, 1);
  return db;
}

std::int64_t pragmaNumber(sqlite3* db, const char* sql) {
  Statement statement(db, sql);
  return statement.step() ? statement.integer(0) : -1;
}

// Refuses anything but an intact store of ours; a cut-off file fails the quick check.
void validate(sqlite3* db, const std::string& path) {
  if (pragmaNumber(db, "PRAGMA application_id") != kApplicationId ||
      pragmaNumber(db, "PRAGMA user_version") != kSchemaVersion) {
    fail(ERROR_BADDB, path + " is not a registry store");
  }
  Statement quickCheck(db, "PRAGMA quick_check");
  if (!quickCheck.step() || quickCheck.text(0) != "ok") fail(ERROR_BADDB, path + " is damaged");
}

void configure(sqlite3* db) { execute(db, "PRAGMA synchronous = FULL; PRAGMA foreign_keys = ON"); }

// Writers leave the WAL files in place (with the store's mode, emptied after the last
// checkpoint), so that a process that may only read the store, and not create files beside it,
// can still open them read-only.
void keepWalFiles(sqlite3* db) {
  int keep = 1;
  check(db, sqlite3_file_control(db, "main", SQLITE_FCNTL_PERSIST_WAL, &keep));
  execute(db, "PRAGMA journal_size_limit = 0");
}

sqlite3* openValidated(const std::string& path, bool writable) {
  // Checked through a read-only connection first so that nothing can write to a foreign file.
  sqlite3* db = openConnection(path, SQLITE_OPEN_READONLY);
  try {
    validate(db, path);
    if (writable) {
      sqlite3_close(db);
      db = nullptr;
      db = openConnection(path, SQLITE_OPEN_READWRITE);
      keepWalFiles(db);
    }
    configure(db);
  } catch (...) {
    sqlite3_close(db);
    throw;
  }
  return db;
}

sqlite3* openEmptyInMemory() {
  sqlite3* db = openConnection(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  execute(db, kKeyTreeSchema);
  configure(db);
  return db;
}

void syncDirectory(const std::string& directory) {
  int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// Writes the tables of an empty store into a new file; nobody else sees the file yet, so it
// needs no journal and only the one fsync that the caller makes.
void buildEmptyStore(const std::string& file) {
  sqlite3* db = openConnection(file, SQLITE_OPEN_READWRITE);
  try {
    execute(db, "PRAGMA synchronous = OFF; PRAGMA journal_mode = OFF");
    execute(db, kKeyTreeSchema);
    execute(db, storeMarks().c_str());
    Statement walMode(db, "PRAGMA journal_mode = WAL");
    if (!walMode.step() || walMode.text(0) != "wal") fail(ERROR_REGISTRY_IO_FAILED, "no WAL for " + file);
  } catch (...) {
    sqlite3_close(db);
    throw;
  }
  sqlite3_close(db);
}

// Builds the new store beside its place and links it in whole, so that the path never holds a
// half-made store; if another process got there first, its store is kept.
void createStoreFile(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  std::string temporary = path + ".new-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
  int fd = open(temporary.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0644);
  if (fd < 0) fail(errno == EACCES ? ERROR_ACCESS_DENIED : ERROR_REGISTRY_IO_FAILED, "cannot create " + temporary);
  try {
    // 0644 whatever the umask.
    if (fchmod(fd, 0644) != 0) fail(ERROR_REGISTRY_IO_FAILED, "cannot set the mode of " + temporary);
    buildEmptyStore(temporary);
    if (fsync(fd) != 0) fail(ERROR_REGISTRY_IO_FAILED, "cannot write " + temporary);
    if (link(temporary.c_str(), path.c_str()) != 0 && errno != EEXIST) {
      fail(ERROR_REGISTRY_IO_FAILED, "cannot create " + path + ": " + std::strerror(errno));
    }
  } catch (...) {
    close(fd);
    unlink(temporary.c_str());
    throw;
  }
  close(fd);
  unlink(temporary.c_str());
  syncDirectory(directoryOf(path));
}

}  // namespace

StoreFile::StoreFile(std::string path) : path_(std::move(path)) {
  if (openFileIfPresent()) return;
  writable_ = processMayWrite(path_, nullptr);
  db_ = openEmptyInMemory();
}

StoreFile::~StoreFile() { sqlite3_close(db_); }

bool StoreFile::openFileIfPresent() {
  struct stat status {};
  if (stat(path_.c_str(), &status) != 0) {
    if (errno == ENOENT) return false;
    fail(errno == EACCES ? ERROR_ACCESS_DENIED : ERROR_BADDB, "cannot reach " + path_);
  }
  if (!S_ISREG(status.st_mode)) fail(ERROR_BADDB, path_ + " is not a file");
  writable_ = processMayWrite(path_, &status);
  sqlite3* db = openValidated(path_, writable_);
  sqlite3_close(db_);
  db_ = db;
  inMemory_ = false;
  return true;
}

sqlite3* StoreFile::forReading() {
  if (inMemory_) openFileIfPresent();
  return db_;
}

bool StoreFile::hasFile() {
  forReading();
  return !inMemory_;
}

sqlite3* StoreFile::forWriting() {
  if (inMemory_ && writable_ && !openFileIfPresent()) {
    createStoreFile(path_);
    if (!openFileIfPresent()) fail(ERROR_REGISTRY_IO_FAILED, path_ + " vanished after it was made");
  }
  if (!writable_) fail(ERROR_ACCESS_DENIED, path_ + " is read-only");
  return db_;
}

Transaction::Transaction(StoreFile& store, Kind kind)
    : db_(kind == Kind::Write ? store.forWriting() : store.forReading()) {
  execute(db_, kind == Kind::Write ? "BEGIN IMMEDIATE" : "BEGIN");
}

Transaction::~Transaction() {
  if (open_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
  execute(db_, "COMMIT");
  open_ = false;
}

}  // namespace marovel::standin
