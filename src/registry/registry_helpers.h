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

// The agent is a 32-bit program: on 64-bit Windows its keys are in the 32-bit registry view
// (Software\WOW6432Node), and the tool reads and writes them there.
constexpr REGSAM kAgentView = KEY_WOW64_32KEY;

// What every open and create asks for: the six rights, in the agent's view.
constexpr REGSAM kKeyAccess = kAccessMask | kAgentView;

// What a read falls back to when the six rights are denied: querying and enumerating, which a
// user without administrative rights is granted.
constexpr REGSAM kReadAccess = KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | kAgentView;

// Opens keyName below HKEY_LOCAL_MACHINE with kKeyAccess; the caller closes it. A name the ANSI
// code page cannot hold gives ERROR_NO_UNICODE_TRANSLATION.
LONG openUnderLocalMachine(const std::string& keyName, HKEY& key);

// The same, but where the six rights are denied the key is opened with kReadAccess instead, so
// that a user who may only read sees what is stored.
LONG openForReading(const std::string& keyName, HKEY& key);

// Writes a REG_SZ (text plus NUL) or a REG_DWORD; other types write nothing and give 0.
// A text the ANSI code page cannot hold is not written and gives a non-zero code.
LONG SetValueEx(HKEY key, const std::string& valueName, DWORD valueType, const SettingValue& value);

// Reads a REG_SZ or REG_DWORD into value; on any failure or other type value stays as it was.
SettingValue QueryValueEx(HKEY key, const std::string& valueName, SettingValue& value);

// Creates or opens keyName below parent and closes it again.
bool CreateKey(const std::string& keyName, HKEY parent);

// Writes one value of an existing key; a missing key is never created.
void SetKeyValue(const std::string& keyPath, const std::string& valueName, const SettingValue& value,
                 DWORD valueType);

// Reads one value; empty when the key or value is missing or of another type. Opens with
// openForReading.
SettingValue QueryValue(const std::string& keyPath, const std::string& valueName);

// What QueryValue leaves unsaid: the type the value is stored with (REG_NONE when none could be
// learnt) and the registry's result (ERROR_FILE_NOT_FOUND for a missing key or value), so that a
// caller can leave a value of another type alone and tell a missing value from a failed read.
struct QueriedValue {
  SettingValue value;  // as QueryValue gives it
  DWORD type = REG_NONE;
  LONG result = ERROR_FILE_NOT_FOUND;
};
QueriedValue QueryValueWithType(const std::string& keyPath, const std::string& valueName);

}  // namespace marovel::registry
