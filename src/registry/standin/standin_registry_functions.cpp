// The registry functions on the stand-in store, with the Win32 registry's results.
#include <cstring>
#include <mutex>
#include <new>
#include <string_view>

#include "open_keys.h"
#include "standin_store.h"
#include "win32_registry.h"

using marovel::standin::isLocalMachine;
using marovel::standin::KeyTree;
using marovel::standin::OpenKey;
using marovel::standin::StoreError;
using marovel::standin::Transaction;

namespace {

constexpr REGSAM kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK;
constexpr REGSAM kReadRights = KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY;

std::mutex registryMutex;

marovel::standin::OpenKeys& openKeys() {
  static marovel::standin::OpenKeys keys;
  return keys;
}

// No exception leaves a registry function: each failure becomes its registry error code.
template <class Operation>
LONG guarded(Operation&& operation) {
  try {
    std::lock_guard lock(registryMutex);
    return operation();
  } catch (const StoreError& error) {
    return error.code();
  } catch (const std::bad_alloc&) {
    return ERROR_OUTOFMEMORY;
  } catch (...) {
    return ERROR_REGISTRY_IO_FAILED;
  }
}

bool isText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

std::string_view nameOf(LPCSTR name) { return name != nullptr ? name : ""; }

// Like a key under HKEY_LOCAL_MACHINE for a user who is not an administrator.
bool grantable(const OpenKey& key, REGSAM desired) {
  return (desired & kWriteRights) == 0 || key.store->writable();
}

// MAXIMUM_ALLOWED stands for every right the store lets this process have.
REGSAM grantedAccess(const OpenKey& parent, REGSAM desired) {
  if ((desired & MAXIMUM_ALLOWED) == 0) return desired;
  return (desired & ~MAXIMUM_ALLOWED) | kReadRights | (parent.store->writable() ? kWriteRights : 0);
}

bool mayWriteValues(const OpenKey& key) { return (key.access & KEY_SET_VALUE) != 0 && key.store->writable(); }

// Windows counts the NUL of a text whose count leaves it out, when it follows the counted bytes.
DWORD storedSize(DWORD type, const BYTE* data, DWORD count) {
  return isText(type) && count > 0 && data[count - 1] != 0 && data[count] == 0 ? count + 1 : count;
}

std::optional<KeyTree::FoundKey> findKey(const OpenKey& start, std::string_view path) {
  Transaction read(*start.store, Transaction::Kind::Read);
  return KeyTree(read.connection()).find(start.key, path);
}

}  // namespace

extern "C" {

LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD /*ulOptions*/, REGSAM samDesired, PHKEY phkResult) {
  if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
  // A predefined key opened with no subkey gives back itself.
  if (isLocalMachine(hKey) && nameOf(lpSubKey).empty()) {
    *phkResult = hKey;
    return ERROR_SUCCESS;
  }
  return guarded([&] {
    // An invalid handle is refused before the result is touched.
    OpenKey parent = openKeys().lookup(hKey);
    *phkResult = nullptr;
    auto found = findKey(parent, nameOf(lpSubKey));
    if (!found) return ERROR_FILE_NOT_FOUND;
    if (!grantable(parent, samDesired)) return ERROR_ACCESS_DENIED;
    *phkResult = openKeys().add({parent.store, found->id, grantedAccess(parent, samDesired)});
    return ERROR_SUCCESS;
  });
}

LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR /*lpClass*/, DWORD dwOptions,
                     REGSAM samDesired, LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/, PHKEY phkResult,
                     LPDWORD lpdwDisposition) {
  if (phkResult == nullptr || Reserved != 0) return ERROR_INVALID_PARAMETER;
  // The store keeps every key across restarts, so it promises no volatile one (see the README).
  if ((dwOptions & REG_OPTION_VOLATILE) != 0) return ERROR_INVALID_PARAMETER;
  return guarded([&] {
    OpenKey parent = openKeys().lookup(hKey);
    *phkResult = nullptr;
    auto path = nameOf(lpSubKey);
    KeyTree::CreatedKey key{};
    if (auto found = findKey(parent, path)) {
      key = {found->id, false};
    } else {
      // As in the registry, the parent handle needs no access rights of its own for this.
      if (!parent.store->writable()) return ERROR_ACCESS_DENIED;
      Transaction write(*parent.store, Transaction::Kind::Write);
      key = KeyTree(write.connection()).create(parent.key, path);
      write.commit();
    }
    if (!grantable(parent, samDesired)) return ERROR_ACCESS_DENIED;
    *phkResult = openKeys().add({parent.store, key.id, grantedAccess(parent, samDesired)});
    if (lpdwDisposition != nullptr) *lpdwDisposition = key.isNew ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
  });
}

LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                      LPDWORD lpcbData) {
  if (lpReserved != nullptr || (lpData != nullptr && lpcbData == nullptr)) return ERROR_INVALID_PARAMETER;
  return guarded([&] {
    OpenKey key = openKeys().lookup(hKey);
    if ((key.access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
    // The one statement that finds the value reads in a transaction of its own.
    KeyTree tree(key.store->forReading());
    auto value = tree.value(key.key, nameOf(lpValueName));
    if (!value && !tree.exists(key.key)) return ERROR_KEY_DELETED;
    if (!value) {
      if (lpData == nullptr && lpcbData != nullptr) *lpcbData = 0;  // a size query learns of no data
      return ERROR_FILE_NOT_FOUND;
    }
    // The room is read before the type is written: both may be one variable.
    const DWORD room = lpcbData != nullptr ? *lpcbData : 0;
    if (lpType != nullptr) *lpType = value->type;
    auto size = static_cast<DWORD>(value->data.size());
    if (lpData != nullptr && room < size) {
      *lpcbData = size;
      return ERROR_MORE_DATA;
    }
    if (lpData != nullptr && size > 0) {
      std::memcpy(lpData, value->data.data(), size);
      // The registry ends a text stored without its NUL with one when the buffer has room.
      if (isText(value->type) && size < room && lpData[size - 1] != 0) lpData[size] = 0;
    }
    if (lpcbData != nullptr) *lpcbData = size;
    return ERROR_SUCCESS;
  });
}

LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD /*Reserved*/, DWORD dwType, const BYTE* lpData,
                    DWORD cbData) {
  if (lpData == nullptr && cbData != 0) return ERROR_INVALID_PARAMETER;
  return guarded([&] {
    OpenKey key = openKeys().lookup(hKey);
    if (!mayWriteValues(key)) return ERROR_ACCESS_DENIED;
    Transaction write(*key.store, Transaction::Kind::Write);
    KeyTree tree(write.connection());
    if (!tree.exists(key.key)) return ERROR_KEY_DELETED;
    tree.setValue(key.key, nameOf(lpValueName), dwType, std::span(lpData, storedSize(dwType, lpData, cbData)));
    write.commit();
    return ERROR_SUCCESS;
  });
}

LONG RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
  return guarded([&] {
    OpenKey key = openKeys().lookup(hKey);
    if (!mayWriteValues(key)) return ERROR_ACCESS_DENIED;
    if (!key.store->hasFile()) return ERROR_FILE_NOT_FOUND;  // a delete creates no store
    Transaction write(*key.store, Transaction::Kind::Write);
    KeyTree tree(write.connection());
    if (!tree.deleteValue(key.key, nameOf(lpValueName))) {
      return tree.exists(key.key) ? ERROR_FILE_NOT_FOUND : ERROR_KEY_DELETED;
    }
    write.commit();
    return ERROR_SUCCESS;
  });
}

// Commits reach the disk by the next checkpoint, or now through this; like the registry's, it
// needs no access rights and flushes the whole store.
LONG RegFlushKey(HKEY hKey) {
  return guarded([&] {
    OpenKey key = openKeys().lookup(hKey);
    if (!KeyTree(key.store->forReading()).exists(key.key)) return ERROR_KEY_DELETED;
    key.store->flush();
    return ERROR_SUCCESS;
  });
}

LONG RegCloseKey(HKEY hKey) {
  return guarded([&] { return openKeys().close(hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE; });
}

}  // extern "C"
