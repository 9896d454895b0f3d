// The agent's registry for one test, empty at the start: on the stand-in a fresh store of its
// own (MAROVEL_REGISTRY names it while this lives); on Windows, only under Wine, whose throw-away
// prefix may lose HKEY_LOCAL_MACHINE\Software\Qorvi. Seeded through the registry routines.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "setting_value.h"
#include "stored_values.h"

namespace marovel::testing {

class TempRegistry {
 public:
  TempRegistry();
  ~TempRegistry();
  TempRegistry(const TempRegistry&) = delete;
  TempRegistry& operator=(const TempRegistry&) = delete;

  // Creates the agent's three keys the window writes.
  void createAgentKeys();
  void createKey(const std::string& path);
  void setDword(const std::string& path, const std::string& name, std::int32_t value);
  void setText(const std::string& path, const std::string& name, const std::string& text);
  // A value with exactly these bytes, as the registry stores it.
  void setRaw(const std::string& path, const std::string& name, const StoredValue& value);
  bool keyExists(const std::string& path) const;
  std::optional<StoredValue> raw(const std::string& path, const std::string& name) const;
  registry::SettingValue value(const std::string& path, const std::string& name) const;
  // Removes HKEY_LOCAL_MACHINE\Software\Qorvi with everything below it.
  void clear();
  // Every open for writing is refused from now on, as for a user without administrative rights:
  // the store becomes read-only, or under Wine the agent's keys let everyone only read them.
  void refuseWrites();
  // Stand-in only: the store becomes a file that is no store, as a damaged one.
  void damage();

 private:
  struct Platform;
  std::unique_ptr<Platform> platform_;
};

// The agent's keys and the four values the main window edits.
namespace agent {

inline constexpr const char* kAgentKey = "Software\\Qorvi\\Agent";
inline constexpr const char* kBriselKey = "Software\\Qorvi\\Agent\\SubSystems\\Brisel\\Configuration";
inline constexpr const char* kForvelKey = "Software\\Qorvi\\Agent\\SubSystems\\Forvel\\Configuration";
inline constexpr const char* kRelay = "dwBrisel2ServerEnabled";
inline constexpr const char* kFailure = "dwUpdateFailureTime";
inline constexpr const char* kSuccess = "dwUpdateSuccessTime";
inline constexpr const char* kEmail = "szEmailAddress";

// An installed agent's keys with all four values set: relay on, 1440 and 1.5 minutes, and an
// address stored with "%2D".
void seedInstalledAgent(TempRegistry& store);

}  // namespace agent

}  // namespace marovel::testing
