// Each test gets a store file of its own, so the scratch key starts out empty.
#include "scratch_registry.h"

#include <stdexcept>

#include "standin_store.h"
#include "temporary_store.h"

struct ScratchRegistry::Platform {
  TemporaryStore store;
};

ScratchRegistry::ScratchRegistry()
    : platform_(std::make_unique<Platform>()), keyPath_("Software\\MarovelConformance\\Scratch") {
  marovel::standin::Session session(platform_->store.path(), marovel::standin::Session::Mode::Write);
  session.createKey(keyPath_);
  session.commit();
}

ScratchRegistry::~ScratchRegistry() = default;

void ScratchRegistry::deleteKey(const std::string& subkey) const {
  if (!platform_->store.deleteKey(keyPath_ + "\\" + subkey)) throw std::runtime_error("no key " + subkey + " to delete");
}
