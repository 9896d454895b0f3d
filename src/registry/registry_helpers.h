// One-call access to single registry values under HKEY_LOCAL_MACHINE.
// Reads that fail give an empty value; writes that fail leave the registry as it was.
#pragma once

#include <string>

#include "setting_value.h"
#include "win32_registry.h"

namespace marovel::registry {

// Every open and create asks for the six key-specific rights, without the standard ones.
constexpr REGSAM kAccessMask = KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS |
                                KEY_NOTIFY | KEY_CREATE_LINK;
static_assert(kAccessMask == 0x3F);

// Writes a REG_SZ (text plus NUL) or a REG_DWORD; other types write nothing and give 0.
// A text the ANSI code page cannot hold is not written and gives a non-zero code.
LONG SetValueEx(HKEY hKey, const std::string& sValueName, DWORD lType, const SettingValue& vValue);

// Reads a REG_SZ or REG_DWORD into vValue; on any failure or other type vValue stays as it was.
SettingValue QueryValueEx(HKEY lhKey, const std::string& szValueName, SettingValue& vValue);

// Creates or opens KeyName below ParentKey and closes it again.
bool CreateKey(const std::string& KeyName, HKEY ParentKey);

// Writes one value of an existing key; a missing key is never created.
void SetKeyValue(const std::string& sKeyName, const std::string& sValueName, const SettingValue& vValueSetting,
                 DWORD lValueType);

// Reads one value; empty when the key or value is missing or of another type.
SettingValue QueryValue(const std::string& sKeyName, const std::string& sValueName);

}  // namespace marovel::registry
