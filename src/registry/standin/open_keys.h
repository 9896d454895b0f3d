// The process's table of open key handles of the stand-in registry.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "key_tree.h"
#include "open_stores.h"
#include "store_file.h"
#include "win32_registry.h"

namespace marovel::standin {

struct OpenKey {
  std::shared_ptr<StoreFile> store;  // shared by every key opened below the same HKEY_LOCAL_MACHINE
  KeyId key;
  REGSAM access;
};

// The registry knows its predefined keys by the low 32 bits of the handle, so that the
// sign-extended value of Windows's headers names HKEY_LOCAL_MACHINE as well.
bool isLocalMachine(HKEY handle);

class OpenKeys {
 public:
  HKEY add(OpenKey key);
  // HKEY_LOCAL_MACHINE is the root of the store that MAROVEL_REGISTRY names now; 0 or a handle
  // that is not open throws ERROR_INVALID_HANDLE.
  OpenKey lookup(HKEY handle);
  bool close(HKEY handle);

 private:
  OpenStores stores_;
  std::map<std::uintptr_t, OpenKey> keys_;
  std::uintptr_t next_ = 0x1000;
};

}  // namespace marovel::standin
