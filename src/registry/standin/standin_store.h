// Administration of the stand-in registry store, for marovel-reg. Key paths are relative to
// HKEY_LOCAL_MACHINE, '\'-separated, in ANSI bytes, matched without regard to case.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "win32_registry.h"

namespace marovel::standin {

// MAROVEL_REGISTRY, or the machine-wide default path.
std::string storePath();

struct StoredValue {
  std::string name;  // as created
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
};

// A failure carries the registry error code that the six functions would give for it.
class StoreError : public std::runtime_error {
 public:
  StoreError(LONG code, const std::string& what) : std::runtime_error(what), code_(code) {}
  LONG code() const { return code_; }

 private:
  LONG code_;
};

// Everything done through one session is one transaction: commit() makes it durable, and a
// session destroyed without commit() changes nothing. Reads see the store as it was plus the
// session's own writes; after commit() the session goes on in a new transaction. Opening for
// writing a store the process may not write throws ERROR_ACCESS_DENIED; a file that is not a valid
// store throws ERROR_BADDB. A missing store reads as empty; a Write session creates it when first
// used. subkeys(), values() and setValue() on a missing key throw ERROR_FILE_NOT_FOUND; writing
// through a Read session throws ERROR_ACCESS_DENIED.
class Session {
 public:
  enum class Mode { Read, Write };
  Session(const std::string& storePath, Mode mode);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // The path with each component in its stored case; empty optional when the key is missing.
  std::optional<std::string> storedKeyPath(std::string_view path);
  std::vector<std::string> subkeys(std::string_view path);  // names in stored case, sorted without regard to case
  std::vector<StoredValue> values(std::string_view path);   // sorted without regard to case
  // The key and every key below it, each before its subkeys (sorted without regard to case), with
  // its path in stored case and its values; each key is found by its id, never by its path again.
  using KeyVisitor = std::function<void(const std::string& storedPath, std::vector<StoredValue> values)>;
  void forEachKeyBelow(std::string_view path, const KeyVisitor& visit);

  void createKey(std::string_view path);  // with any missing intermediate keys; at most kMaxKeyDepth deep
  void setValue(std::string_view path, std::string_view name, std::uint32_t type,
                std::span<const std::uint8_t> data);  // the key must exist
  bool deleteValue(std::string_view path, std::string_view name);  // false when key or value is missing
  bool deleteKey(std::string_view path);  // with everything below it; false when missing
  void commit();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace marovel::standin
