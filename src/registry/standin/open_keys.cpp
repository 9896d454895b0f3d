#include "open_keys.h"

#include "standin_store.h"

namespace marovel::standin {
namespace {

constexpr REGSAM kAllKeyRights = 0x3F;

std::uintptr_t numberOf(HKEY handle) { return reinterpret_cast<std::uintptr_t>(handle); }

}  // namespace

bool isLocalMachine(HKEY handle) { return (numberOf(handle) & 0xFFFFFFFFu) == 0x80000002u; }

HKEY OpenKeys::add(OpenKey key) {
  // Handle values are never reused, so a stale handle cannot reach another key.
  std::uintptr_t number = next_;
  next_ += 4;
  keys_.emplace(number, std::move(key));
  return reinterpret_cast<HKEY>(number);
}

OpenKey OpenKeys::lookup(HKEY handle) {
  if (isLocalMachine(handle)) return OpenKey{stores_.at(storePath()), kRootKey, kAllKeyRights};
  auto found = keys_.find(numberOf(handle));
  if (found == keys_.end()) throw StoreError(ERROR_INVALID_HANDLE, "not an open key");
  return found->second;
}

bool OpenKeys::close(HKEY handle) {
  if (isLocalMachine(handle)) return true;
  return keys_.erase(numberOf(handle)) > 0;
}

}  // namespace marovel::standin
