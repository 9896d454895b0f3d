// The keys and values of one stand-in store, read and changed inside the caller's transaction.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sqlite_statement.h"
#include "standin_store.h"

namespace marovel::standin {

using KeyId = std::int64_t;
constexpr KeyId kRootKey = 1;  // HKEY_LOCAL_MACHINE itself

// The tables and the root key of a new store.
extern const char* const kKeyTreeSchema;

class KeyTree {
 public:
  explicit KeyTree(Connection& connection) : connection_(connection) {}

  struct FoundKey {
    KeyId id;
    std::string storedPath;  // from the start key, each component in its stored case
  };
  struct CreatedKey {
    KeyId id;
    bool isNew;
  };
  struct Subkey {
    KeyId id;
    std::string name;  // in stored case
  };

  bool exists(KeyId key);
  // Without storedPath unless asked for: looking up the names costs a copy per component.
  std::optional<FoundKey> find(KeyId start, std::string_view path, bool withStoredPath = false);
  // With any missing intermediate keys; a key deeper than kMaxKeyDepth throws ERROR_INVALID_PARAMETER.
  CreatedKey create(KeyId start, std::string_view path);
  void remove(KeyId key);                                  // with everything below it
  std::vector<std::string> subkeyNames(KeyId key);         // sorted without regard to case
  std::vector<Subkey> subkeys(KeyId key);                  // sorted without regard to case

  std::optional<StoredValue> value(KeyId key, std::string_view name);
  std::vector<StoredValue> values(KeyId key);  // sorted without regard to case
  // Replaces type and data of a value of that name, keeping the name's stored case.
  void setValue(KeyId key, std::string_view name, std::uint32_t type, std::span<const std::uint8_t> data);
  bool deleteValue(KeyId key, std::string_view name);

 private:
  void requireExisting(KeyId key);  // throws ERROR_KEY_DELETED
  std::size_t depth(KeyId key);     // levels below HKEY_LOCAL_MACHINE
  std::optional<KeyId> subkey(KeyId parent, std::string_view name, std::string* storedName);

  Connection& connection_;
};

}  // namespace marovel::standin
