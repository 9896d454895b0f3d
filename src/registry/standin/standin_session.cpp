#include <cstdlib>

#include "key_tree.h"
#include "standin_store.h"
#include "store_file.h"

namespace marovel::standin {

std::string storePath() {
  const char* named = std::getenv("MAROVEL_REGISTRY");
  return named != nullptr && *named != '\0' ? named : "/var/lib/marovel/registry.sqlite3";
}

struct Session::Impl {
  Impl(const std::string& path, Mode mode)
      : store(path, Sync::EveryCommit), kind(mode == Mode::Write ? Transaction::Kind::Write : Transaction::Kind::Read) {
    if (kind == Transaction::Kind::Write && !store.writable()) {
      throw StoreError(ERROR_ACCESS_DENIED, path + " is read-only");
    }
  }

  // The transaction starts with the first use, so a session that does nothing creates no file;
  // after a commit the session goes on in a new one.
  KeyTree tree() {
    if (!transaction) transaction.emplace(store, kind);
    return KeyTree(transaction->connection());
  }

  KeyTree treeForWriting() {
    if (kind != Transaction::Kind::Write) throw StoreError(ERROR_ACCESS_DENIED, "the session only reads");
    return tree();
  }

  KeyId existingKey(KeyTree& keys, std::string_view path) {
    auto found = keys.find(kRootKey, path);
    if (!found) throw StoreError(ERROR_FILE_NOT_FOUND, "no such key: " + std::string(path));
    return found->id;
  }

  StoreFile store;
  Transaction::Kind kind;
  std::optional<Transaction> transaction;
};

Session::Session(const std::string& storePath, Mode mode) : impl_(std::make_unique<Impl>(storePath, mode)) {}

Session::~Session() = default;

std::optional<std::string> Session::storedKeyPath(std::string_view path) {
  auto found = impl_->tree().find(kRootKey, path, true);
  if (!found) return std::nullopt;
  return found->storedPath;
}

std::vector<std::string> Session::subkeys(std::string_view path) {
  KeyTree keys = impl_->tree();
  return keys.subkeyNames(impl_->existingKey(keys, path));
}

std::vector<StoredValue> Session::values(std::string_view path) {
  KeyTree keys = impl_->tree();
  return keys.values(impl_->existingKey(keys, path));
}

void Session::forEachKeyBelow(std::string_view path, const KeyVisitor& visit) {
  KeyTree keys = impl_->tree();
  auto found = keys.find(kRootKey, path, true);
  if (!found) throw StoreError(ERROR_FILE_NOT_FOUND, "no such key: " + std::string(path));
  // A stack of its own rather than recursion: a store may hold keys deeper than the limit.
  std::vector<std::pair<KeyId, std::string>> pending{{found->id, found->storedPath}};
  while (!pending.empty()) {
    auto [key, keyPath] = std::move(pending.back());
    pending.pop_back();
    visit(keyPath, keys.values(key));
    auto subkeys = keys.subkeys(key);
    for (auto subkey = subkeys.rbegin(); subkey != subkeys.rend(); ++subkey) {
      pending.emplace_back(subkey->id, keyPath.empty() ? subkey->name : keyPath + '\\' + subkey->name);
    }
  }
}

void Session::createKey(std::string_view path) { impl_->treeForWriting().create(kRootKey, path); }

void Session::setValue(std::string_view path, std::string_view name, std::uint32_t type,
                       std::span<const std::uint8_t> data) {
  KeyTree keys = impl_->treeForWriting();
  keys.setValue(impl_->existingKey(keys, path), name, type, data);
}

bool Session::deleteValue(std::string_view path, std::string_view name) {
  if (!impl_->store.hasFile()) return false;
  KeyTree keys = impl_->treeForWriting();
  auto found = keys.find(kRootKey, path);
  return found && keys.deleteValue(found->id, name);
}

bool Session::deleteKey(std::string_view path) {
  if (!impl_->store.hasFile()) return false;
  KeyTree keys = impl_->treeForWriting();
  auto found = keys.find(kRootKey, path);
  if (!found) return false;
  keys.remove(found->id);
  return true;
}

void Session::commit() {
  if (!impl_->transaction) return;
  impl_->transaction->commit();
  impl_->transaction.reset();
}

}  // namespace marovel::standin
