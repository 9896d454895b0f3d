// Small helpers shared by the registry tests; only the six registry functions underneath.
#pragma once

#include <cstdint>
#include <functional>
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

// Windows stores one byte more of a text whose last counted byte is not NUL when the byte after
// the count is NUL; a non-NUL byte behind the data keeps that from depending on foreign memory.
inline LONG writeRaw(HKEY key, const char* name, DWORD type, const Bytes& data) {
  Bytes guarded = data;
  guarded.push_back(0xEE);
  return RegSetValueExA(key, name, 0, type, guarded.data(), static_cast<DWORD>(data.size()));
}

// In the 32-bit view, where the routines work and the scratch key lies.
inline LONG openKey(const std::string& path, REGSAM access, OpenedKey& key) {
  return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, access | KEY_WOW64_32KEY, &key.handle);
}

inline LONG createKey(HKEY parent, const std::string& name, OpenedKey& key, DWORD* disposition = nullptr) {
  return RegCreateKeyExA(parent, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, 0x3F, nullptr, &key.handle,
                         disposition);
}

// What a handle variable holds before a call that must not give out a handle.
inline HKEY const kSentinel = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x5A5A5A50));

struct HandleCall {
  const char* name;
  std::function<LONG(HKEY)> call;
};

// The functions that work through a handle, each called with the one given; a handle that an open
// or create gives out is closed again.
inline const std::vector<HandleCall>& callsOnAHandle() {
  static const std::vector<HandleCall> calls = {
      {"RegOpenKeyExA",
       [](HKEY h) {
         OpenedKey opened;
         return RegOpenKeyExA(h, "", 0, KEY_READ, &opened.handle);
       }},
      {"RegCreateKeyExA",
       [](HKEY h) {
         OpenedKey created;
         return createKey(h, "New", created);
       }},
      {"RegQueryValueExA",
       [](HKEY h) {
         DWORD size = 0;
         return RegQueryValueExA(h, "v", nullptr, nullptr, nullptr, &size);
       }},
      {"RegSetValueExA", [](HKEY h) { return writeRaw(h, "v", REG_BINARY, {1}); }},
      {"RegDeleteValueA", [](HKEY h) { return RegDeleteValueA(h, "v"); }},
      {"RegFlushKey", [](HKEY h) { return RegFlushKey(h); }},
  };
  return calls;
}
