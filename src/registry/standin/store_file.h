// One opened stand-in store: an SQLite connection to the store file, or to an empty in-memory
// registry while the file does not exist, so that reading never creates it.
#pragma once

#include <sys/types.h>

#include <memory>
#include <optional>
#include <string>

#include "sqlite_statement.h"

namespace marovel::standin {

// How soon a commit is on the disk: at once, or by the next checkpoint. Either way a commit
// survives the process dying; only a power cut can take the commits since the last checkpoint,
// and leaves a consistent store.
enum class Sync { EveryCommit, AtCheckpoints };

// Tells one file at a path from another, and notices a change of who may write it.
struct FileIdentity {
  dev_t device;
  ino_t inode;
  mode_t mode;
  uid_t owner;
  gid_t group;
  bool operator==(const FileIdentity&) const = default;
};

class StoreFile {
 public:
  // A missing file reads as an empty registry; a file that is not a valid store throws
  // ERROR_BADDB and is left untouched. Whether this process may write is decided here, and again
  // when a missing file turns up.
  StoreFile(std::string path, Sync sync);
  StoreFile(const StoreFile&) = delete;
  StoreFile& operator=(const StoreFile&) = delete;

  bool writable() const { return writable_; }
  // Whether the file exists (by now); without it there is nothing to delete.
  bool hasFile();
  // Whether the path still names what this reads: the same file, owner and mode, or still none.
  bool isAtPath() const;

  // The connection to read through; switches to the file once another process has created it.
  Connection& forReading();
  // The connection to write through; creates the file on the first write. Throws
  // ERROR_ACCESS_DENIED when the store is not writable.
  Connection& forWriting();
  // Puts every commit so far on the disk, whoever made it.
  void flush();

 private:
  // Opens the file at the path, deciding afresh whether it is writable; false when there is none.
  bool openFileIfPresent();

  std::string path_;
  std::string openPath_;  // as root, the path with its links resolved and checked
  Sync sync_;
  bool writable_ = false;
  std::optional<FileIdentity> file_;  // none while the store is the empty one in memory
  std::unique_ptr<Connection> connection_;
};

// Every read and write of the store runs in one of these; a write takes the store's write lock
// at once so that two writers queue instead of failing midway.
class Transaction {
 public:
  enum class Kind { Read, Write };
  Transaction(StoreFile& store, Kind kind);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  Connection& connection() const { return connection_; }
  void commit();

 private:
  Connection& connection_;
  bool open_ = true;
};

}  // namespace marovel::standin
