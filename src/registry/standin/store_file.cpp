#include "store_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

#include "key_tree.h"
#include "standin_store.h"
#include "store_path_guard.h"

namespace marovel::standin {
namespace {

// "MRVL": tells our stores from any other SQLite database.
constexpr std::int64_t kApplicationId = 0x4D52564C;
constexpr std::int64_t kSchemaVersion = 1;
// Where SQLite's file header keeps the two (big-endian).
constexpr std::size_t kUserVersionOffset = 60;
constexpr std::size_t kApplicationIdOffset = 68;
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

std::unique_ptr<Connection> openConnection(const std::string& path, int flags) {
  // Each connection is used by one thread at a time (the registry functions take a lock of their
  // own), so SQLite's locking per call is not needed.
  auto connection = std::make_unique<Connection>(path, flags | SQLITE_OPEN_NOMUTEX);
  sqlite3_busy_timeout(connection->handle(), kBusyTimeoutMs);
  return connection;
}

std::uint32_t bigEndianAt(const unsigned char* bytes) {
  return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
}

// As root the path is one whose links were resolved and found root's: a link that turns up there
// after the check is refused, not followed.
bool asRoot() { return geteuid() == 0; }

// Whether the file's header carries our marks; read before SQLite opens the file, so that a file
// that is not one of our stores is never opened for writing.
bool carriesStoreMarks(const std::string& path) {
  unsigned char header[100];
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | (asRoot() ? O_NOFOLLOW : 0));
  if (fd < 0) fail(errno == EACCES ? ERROR_ACCESS_DENIED : ERROR_BADDB, "cannot read " + path);
  const ssize_t got = pread(fd, header, sizeof header, 0);
  close(fd);
  return got == sizeof header && std::memcmp(header, "SQLite format 3", 16) == 0 &&
         bigEndianAt(header + kUserVersionOffset) == kSchemaVersion &&
         bigEndianAt(header + kApplicationIdOffset) == kApplicationId;
}

// A cut-off or otherwise damaged file fails the quick check.
void requireIntact(Connection& connection, const std::string& path) {
  Statement quickCheck(connection, "PRAGMA quick_check");
  if (!quickCheck.step() || quickCheck.text(0) != "ok") fail(ERROR_BADDB, path + " is damaged");
}

// A connection that closes with a checkpoint could write a damaged file.
void checkpointOnClose(Connection& connection, bool checkpoint) {
  int noCheckpoint = checkpoint ? 0 : 1;
  check(connection.handle(),
        sqlite3_db_config(connection.handle(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, noCheckpoint, nullptr));
}

void configure(Connection& connection, Sync sync) {
  execute(connection.handle(), sync == Sync::EveryCommit ? "PRAGMA synchronous = FULL; PRAGMA foreign_keys = ON"
                                                         : "PRAGMA synchronous = NORMAL; PRAGMA foreign_keys = ON");
}

// Writers leave the WAL files in place (with the store's mode, emptied after the last
// checkpoint), so that a process that may only read the store, and not create files beside it,
// can still open them read-only.
void keepWalFiles(Connection& connection) {
  int keep = 1;
  check(connection.handle(), sqlite3_file_control(connection.handle(), "main", SQLITE_FCNTL_PERSIST_WAL, &keep));
  execute(connection.handle(), "PRAGMA journal_size_limit = 0");
}

// Sessions end with a checkpoint that empties the log; the registry functions leave that to later
// writers, as the registry flushes lazily, so that a program ends without waiting for the disk.
std::unique_ptr<Connection> openValidated(const std::string& path, bool writable, Sync sync) {
  if (!carriesStoreMarks(path)) fail(ERROR_BADDB, path + " is not a registry store");
  auto connection = openConnection(path, (writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) |
                                             (asRoot() ? SQLITE_OPEN_NOFOLLOW : 0));
  checkpointOnClose(*connection, false);
  requireIntact(*connection, path);
  if (writable) keepWalFiles(*connection);
  checkpointOnClose(*connection, sync == Sync::EveryCommit);
  configure(*connection, sync);
  return connection;
}

std::unique_ptr<Connection> openEmptyInMemory(Sync sync) {
  auto connection = openConnection(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  execute(connection->handle(), kKeyTreeSchema);
  configure(*connection, sync);
  return connection;
}

FileIdentity identityOf(const struct stat& status) {
  return {status.st_dev, status.st_ino, status.st_mode, status.st_uid, status.st_gid};
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
  auto connection = openConnection(file, SQLITE_OPEN_READWRITE);
  sqlite3* db = connection->handle();
  execute(db, "PRAGMA synchronous = OFF; PRAGMA journal_mode = OFF");
  execute(db, kKeyTreeSchema);
  execute(db, storeMarks().c_str());
  Statement walMode(*connection, "PRAGMA journal_mode = WAL");
  if (!walMode.step() || walMode.text(0) != "wal") fail(ERROR_REGISTRY_IO_FAILED, "no WAL for " + file);
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

StoreFile::StoreFile(std::string path, Sync sync) : path_(std::move(path)), sync_(sync) {
  if (openFileIfPresent()) return;
  writable_ = processMayWrite(openPath_, nullptr);
  connection_ = openEmptyInMemory(sync_);
}

bool StoreFile::openFileIfPresent() {
  openPath_ = trustedStorePath(path_);
  struct stat status {};
  if (stat(openPath_.c_str(), &status) != 0) {
    if (errno == ENOENT) return false;
    fail(errno == EACCES ? ERROR_ACCESS_DENIED : ERROR_BADDB, "cannot reach " + path_);
  }
  if (!S_ISREG(status.st_mode)) fail(ERROR_BADDB, path_ + " is not a file");
  writable_ = processMayWrite(openPath_, &status);
  connection_ = openValidated(openPath_, writable_, sync_);
  file_ = identityOf(status);
  return true;
}

bool StoreFile::isAtPath() const {
  if (!file_) return true;  // a file that turns up is opened when next used
  struct stat status {};
  return stat(path_.c_str(), &status) == 0 && identityOf(status) == *file_;
}

Connection& StoreFile::forReading() {
  if (!file_) openFileIfPresent();
  return *connection_;
}

bool StoreFile::hasFile() {
  forReading();
  return file_.has_value();
}

Connection& StoreFile::forWriting() {
  if (!file_ && writable_ && !openFileIfPresent()) {
    createStoreFile(openPath_);
    if (!openFileIfPresent()) fail(ERROR_REGISTRY_IO_FAILED, path_ + " vanished after it was made");
  }
  if (!writable_) fail(ERROR_ACCESS_DENIED, path_ + " is read-only");
  return *connection_;
}

void StoreFile::flush() {
  if (!file_) return;  // nothing was ever written
  sqlite3* db = connection_->handle();
  sqlite3_file* log = nullptr;
  check(db, sqlite3_file_control(db, "main", SQLITE_FCNTL_JOURNAL_POINTER, &log));
  // Without an open log every commit is in the store file, synced by its checkpoint.
  if (log == nullptr || log->pMethods == nullptr) return;
  if (log->pMethods->xSync(log, SQLITE_SYNC_NORMAL) != SQLITE_OK) fail(ERROR_REGISTRY_IO_FAILED, "cannot sync the log");
}

Transaction::Transaction(StoreFile& store, Kind kind)
    : connection_(kind == Kind::Write ? store.forWriting() : store.forReading()) {
  Statement(connection_, kind == Kind::Write ? "BEGIN IMMEDIATE" : "BEGIN").step();
}

Transaction::~Transaction() {
  if (!open_) return;
  try {
    Statement(connection_, "ROLLBACK").step();
  } catch (...) {
    // Nothing was committed; there is nothing more to undo.
  }
}

void Transaction::commit() {
  Statement(connection_, "COMMIT").step();
  open_ = false;
}

}  // namespace marovel::standin
