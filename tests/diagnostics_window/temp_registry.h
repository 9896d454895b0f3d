// A fresh, empty stand-in registry for one test, seeded through the registry routines.
#pragma once

#include <QTemporaryDir>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "registry_helpers.h"

namespace marovel::diagnostics_window {

class TempRegistry {
 public:
  TempRegistry() { setenv("MAROVEL_REGISTRY", (dir_.path() + "/registry.sqlite3").toLocal8Bit().constData(), 1); }
  ~TempRegistry() { unsetenv("MAROVEL_REGISTRY"); }
  TempRegistry(const TempRegistry&) = delete;
  TempRegistry& operator=(const TempRegistry&) = delete;

  static void createKey(std::string_view key) { registry::CreateKey(std::string(key), HKEY_LOCAL_MACHINE); }

  static void set(std::string_view key, std::string_view name, const registry::SettingValue& value) {
    createKey(key);
    DWORD type = std::holds_alternative<std::int32_t>(value) ? REG_DWORD : REG_SZ;
    registry::SetKeyValue(std::string(key), std::string(name), value, type);
  }

  static registry::SettingValue get(std::string_view key, std::string_view name) {
    return registry::QueryValue(std::string(key), std::string(name));
  }

 private:
  QTemporaryDir dir_;
};

}  // namespace marovel::diagnostics_window
