// Small helpers shared by the registry tests; only the six registry functions underneath.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "win32_registry.h"

using Bytes = std::vector<std::uint8_t>;

inline Bytes bytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

// Closes the key it holds when the test ends.
class OpenedKey {
 public:
  OpenedKey() = default;
  ~OpenedKey() {
    if (handle != nullptr) RegCloseKey(handle);
  }
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;

  HKEY handle = nullptr;
};

struct RawValue {
  LONG result = ERROR_SUCCESS;
  DWORD type = 0;
  Bytes data;
};

// A value as stored, read with a size query and an exact buffer.
inline RawValue readRaw(HKEY key, const char* name) {
  RawValue value;
  DWORD size = 0;
  value.result = RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size);
  if (value.result != ERROR_SUCCESS) return value;
  value.data.resize(size);
  value.result = RegQueryValueExA(key, name, nullptr, &value.type, value.data.data(), &size);
  value.data.resize(size);
  return value;
}

inline LONG writeRaw(HKEY key, const char* name, DWORD type, const Bytes& data) {
  return RegSetValueExA(key, name, 0, type, data.data(), static_cast<DWORD>(data.size()));
}

inline LONG openKey(const std::string& path, REGSAM access, OpenedKey& key) {
  return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, access, &key.handle);
}

inline LONG createKey(HKEY parent, const std::string& name, OpenedKey& key, DWORD* disposition = nullptr) {
  return RegCreateKeyExA(parent, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, 0x3F, nullptr, &key.handle,
                         disposition);
}
