// Gives one test an existing, empty key under HKEY_LOCAL_MACHINE and removes it afterwards.
// Only the setting up differs between the real registry and the stand-in store.
#pragma once

#include <memory>
#include <string>

class ScratchRegistry {
 public:
  ScratchRegistry();
  ~ScratchRegistry();
  ScratchRegistry(const ScratchRegistry&) = delete;
  ScratchRegistry& operator=(const ScratchRegistry&) = delete;

  // Relative to HKEY_LOCAL_MACHINE, e.g. Software\MarovelConformance\<unique>.
  const std::string& keyPath() const { return keyPath_; }

  // Deletes keyPath()\subkey with everything below it, as another program would.
  void deleteKey(const std::string& subkey) const;

 private:
  struct Platform;
  std::unique_ptr<Platform> platform_;
  std::string keyPath_;
};
