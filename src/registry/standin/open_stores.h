// The stores that the registry functions reach through HKEY_LOCAL_MACHINE: each store file is
// opened (and checked) once per process, and its one connection serves every handle below it.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "store_file.h"

namespace marovel::standin {

class OpenStores {
 public:
  // The store at the path, opened afresh only when no open one is at the path any more: the
  // first time, or once the path names another file or the file's owner or mode changed.
  std::shared_ptr<StoreFile> at(const std::string& path);

 private:
  void forgetClosed();

  // Held by the handles opened in them; the latest stays open between calls.
  std::map<std::string, std::weak_ptr<StoreFile>> byPath_;
  std::shared_ptr<StoreFile> latest_;
};

}  // namespace marovel::standin
