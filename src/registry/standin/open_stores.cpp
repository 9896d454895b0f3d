#include "open_stores.h"

#include <iterator>

namespace marovel::standin {

std::shared_ptr<StoreFile> OpenStores::at(const std::string& path) {
  if (auto open = byPath_[path].lock(); open && open->isAtPath()) return latest_ = open;
  // A store that cannot be opened now leaves none open, so a failure is never served from memory.
  latest_.reset();
  forgetClosed();
  auto opened = std::make_shared<StoreFile>(path, Sync::AtCheckpoints);
  byPath_[path] = opened;
  return latest_ = opened;
}

void OpenStores::forgetClosed() {
  std::erase_if(byPath_, [](const auto& entry) { return entry.second.expired(); });
}

}  // namespace marovel::standin
