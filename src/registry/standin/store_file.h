// One opened stand-in store: an SQLite connection to the store file, or to an empty in-memory
// registry while the file does not exist, so that reading never creates it.
#pragma once

#include <sqlite3.h>

#include <string>

namespace marovel::standin {

class StoreFile {
 public:
  // A missing file reads as an empty registry; a file that is not a valid store throws
  // ERROR_BADDB and is left untouched. Whether this process may write is decided here, and again
  // when a missing file turns up.
  explicit StoreFile(std::string path);
  ~StoreFile();
  StoreFile(const StoreFile&) = delete;
  StoreFile& operator=(const StoreFile&) = delete;

  bool writable() const { return writable_; }
  // Whether the file exists (by now); without it there is nothing to delete.
  bool hasFile();

  // The connection to read through; switches to the file once another process has created it.
  sqlite3* forReading();
  // The connection to write through; creates the file on the first write. Throws
  // ERROR_ACCESS_DENIED when the store is not writable.
  sqlite3* forWriting();

 private:
  // Opens the file at the path, deciding afresh whether it is writable; false when there is none.
  bool openFileIfPresent();

  std::string path_;
  bool writable_ = false;
  bool inMemory_ = true;
  sqlite3* db_ = nullptr;
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

  sqlite3* db() const { return db_; }
  void commit();

 private:
  sqlite3* db_;
  bool open_ = true;
};

}  // namespace marovel::standin
