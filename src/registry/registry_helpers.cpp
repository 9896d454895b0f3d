#include "registry_helpers.h"

#include <charconv>
#include <optional>

#include "ansi_codepage.h"

namespace marovel::registry {
namespace {

const BYTE* bytesOf(const void* data) { return static_cast<const BYTE*>(data); }

// A text in place of a number counts when it is a whole decimal number with optional blanks.
std::optional<std::int32_t> wholeNumberIn(const std::string& text) {
  const char* first = text.data();
  const char* last = first + text.size();
  while (first != last && *first == ' ') ++first;
  while (last != first && last[-1] == ' ') --last;
  if (first != last && *first == '+') ++first;
  std::int32_t number = 0;
  auto [end, error] = std::from_chars(first, last, number);
  if (error != std::errc() || end != last || first == last) return std::nullopt;
  return number;
}

std::optional<std::int32_t> dwordOf(const SettingValue& value) {
  if (const auto* number = std::get_if<std::int32_t>(&value)) return *number;
  if (const auto* text = std::get_if<std::string>(&value)) return wholeNumberIn(*text);
  return 0;
}

// Reads a REG_SZ whose size query gave byteCount; one terminating NUL is dropped, anything
// else the value holds is kept so that a write-back loses nothing. A failed read gives empty.
LONG readText(HKEY key, const std::string& name, DWORD byteCount, SettingValue& value) {
  std::string buffer(byteCount, '\0');
  DWORD type = 0;
  DWORD size = byteCount;
  LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<LPBYTE>(buffer.data()), &size);
  if (result != ERROR_SUCCESS || type != REG_SZ) {
    value = std::monostate{};
    return result;
  }
  buffer.resize(size < byteCount ? size : byteCount);
  if (!buffer.empty() && buffer.back() == '\0') buffer.pop_back();
  value = ansiToUtf8(buffer);
  return ERROR_SUCCESS;
}

LONG readNumber(HKEY key, const std::string& name, SettingValue& value) {
  LONG number = 0;
  DWORD type = 0;
  DWORD numberSize = sizeof number;
  LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<LPBYTE>(&number), &numberSize);
  if (result == ERROR_SUCCESS && type == REG_DWORD) value = static_cast<std::int32_t>(number);
  return result;
}

// QueryValueEx's work, telling the stored type and the registry's result as well.
LONG queryInto(HKEY key, const std::string& valueName, SettingValue& value, DWORD& type) {
  auto name = utf8ToAnsi(valueName);
  if (!name) return ERROR_NO_UNICODE_TRANSLATION;
  DWORD size = 0;
  LONG result = RegQueryValueExA(key, name->c_str(), nullptr, &type, nullptr, &size);
  if (result != ERROR_SUCCESS) return result;
  // A text stored with no bytes at all has no terminator to drop: it stays as it was.
  if (type == REG_SZ && size > 0) return readText(key, *name, size, value);
  if (type == REG_DWORD && size == sizeof(LONG)) return readNumber(key, *name, value);
  return ERROR_SUCCESS;
}

LONG openUnderLocalMachine(const std::string& keyName, HKEY& key) {
  key = nullptr;
  auto ansiName = utf8ToAnsi(keyName);
  if (!ansiName) return ERROR_NO_UNICODE_TRANSLATION;
  return RegOpenKeyExA(HKEY_LOCAL_MACHINE, ansiName->c_str(), 0, kAccessMask, &key);
}

}  // namespace

LONG SetValueEx(HKEY key, const std::string& valueName, DWORD valueType, const SettingValue& value) {
  if (valueType != REG_SZ && valueType != REG_DWORD) return ERROR_SUCCESS;
  auto name = utf8ToAnsi(valueName);
  if (!name) return ERROR_NO_UNICODE_TRANSLATION;
  if (valueType == REG_SZ) {
    auto text = utf8ToAnsi(textOf(value));
    if (!text) return ERROR_NO_UNICODE_TRANSLATION;
    // The stored bytes are the text and its terminating NUL.
    return RegSetValueExA(key, name->c_str(), 0, REG_SZ, bytesOf(text->c_str()),
                          static_cast<DWORD>(text->size() + 1));
  }
  auto number = dwordOf(value);
  if (!number) return ERROR_INVALID_PARAMETER;
  LONG data = *number;
  return RegSetValueExA(key, name->c_str(), 0, REG_DWORD, bytesOf(&data), sizeof data);
}

SettingValue QueryValueEx(HKEY key, const std::string& valueName, SettingValue& value) {
  DWORD type = REG_NONE;
  queryInto(key, valueName, value, type);
  return value;
}

bool CreateKey(const std::string& keyName, HKEY parent) {
  auto name = utf8ToAnsi(keyName);
  if (!name) return false;
  HKEY key = nullptr;
  DWORD disposition = 0;
  LONG result = RegCreateKeyExA(parent, name->c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kAccessMask, nullptr,
                                &key, &disposition);
  if (key != nullptr) RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

void SetKeyValue(const std::string& keyPath, const std::string& valueName, const SettingValue& value,
                 DWORD valueType) {
  HKEY key = nullptr;
  if (openUnderLocalMachine(keyPath, key) != ERROR_SUCCESS) return;
  SetValueEx(key, valueName, valueType, value);
  RegCloseKey(key);
}

SettingValue QueryValue(const std::string& keyPath, const std::string& valueName) {
  return QueryValueWithType(keyPath, valueName).value;
}

QueriedValue QueryValueWithType(const std::string& keyPath, const std::string& valueName) {
  QueriedValue queried;
  HKEY key = nullptr;
  queried.result = openUnderLocalMachine(keyPath, key);
  if (queried.result != ERROR_SUCCESS) return queried;
  queried.result = queryInto(key, valueName, queried.value, queried.type);
  RegCloseKey(key);
  return queried;
}

}  // namespace marovel::registry
