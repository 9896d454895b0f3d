// What a test finds in the registry, read back through the registry functions, so that the
// stand-in and Windows are read the same way; in the default view unless another is given.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "win32_registry.h"

namespace marovel::testing {

struct StoredValue {
  DWORD type = 0;
  std::string bytes;
  bool operator==(const StoredValue&) const = default;
};

void PrintTo(const StoredValue& value, std::ostream* out);

// The value below HKEY_LOCAL_MACHINE; none when the key or the value is missing.
std::optional<StoredValue> storedValue(const std::string& keyPath, const std::string& name, REGSAM view = 0);
bool keyExists(const std::string& keyPath, REGSAM view = 0);
// Creates the key when missing and writes the text as REG_SZ with its NUL.
void putText(const std::string& keyPath, const std::string& name, const std::string& text);

}  // namespace marovel::testing
