#include "registry_helpers.h"

#include <array>
#include <charconv>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

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

// The setting that a value's type and bytes hold: a REG_SZ without one terminating NUL (anything
// else it holds is kept, so that a write-back loses nothing), or a REG_DWORD; otherwise empty.
SettingValue settingOf(DWORD type, const BYTE* data, DWORD size) {
  if (type == REG_SZ && size > 0) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (text.back() == '\0') text.remove_suffix(1);
    return ansiToUtf8(text);
  }
  if (type == REG_DWORD && size == sizeof(LONG)) {
    LONG number = 0;
    std::memcpy(&number, data, sizeof number);
    return static_cast<std::int32_t>(number);
  }
  return std::monostate{};
}

// QueryValueEx's work, telling the stored type and the registry's result as well. The settings
// are short: one call reads them, and only a longer value needs a second, in a buffer of the
// size it has then.
LONG queryInto(HKEY key, const std::string& valueName, SettingValue& value, DWORD& type) {
  auto name = utf8ToAnsi(valueName);
  if (!name) return ERROR_NO_UNICODE_TRANSLATION;
  std::array<BYTE, 256> data;
  DWORD size = data.size();
  LONG result = RegQueryValueExA(key, name->c_str(), nullptr, &type, data.data(), &size);
  SettingValue read;
  if (result == ERROR_SUCCESS) read = settingOf(type, data.data(), size);
  if (result == ERROR_MORE_DATA) {
    std::vector<BYTE> longer(size);
    result = RegQueryValueExA(key, name->c_str(), nullptr, &type, longer.data(), &size);
    if (result == ERROR_SUCCESS) read = settingOf(type, longer.data(), size);
  }
  if (!isEmpty(read)) value = std::move(read);
  return result;
}

LONG openWith(const std::string& keyName, REGSAM access, HKEY& key) {
  key = nullptr;
  auto ansiName = utf8ToAnsi(keyName);
  if (!ansiName) return ERROR_NO_UNICODE_TRANSLATION;
  return RegOpenKeyExA(HKEY_LOCAL_MACHINE, ansiName->c_str(), 0, access, &key);
}

}  // namespace

LONG openUnderLocalMachine(const std::string& keyName, HKEY& key) { return openWith(keyName, kKeyAccess, key); }

// The six rights are still asked for first, so that an administrator's opens stay as they were.
LONG openForReading(const std::string& keyName, HKEY& key) {
  const LONG result = openWith(keyName, kKeyAccess, key);
  return result == ERROR_ACCESS_DENIED ? openWith(keyName, kReadAccess, key) : result;
}

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
  LONG result = RegCreateKeyExA(parent, name->c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kKeyAccess, nullptr,
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
  queried.result = openForReading(keyPath, key);
  if (queried.result != ERROR_SUCCESS) return queried;
  queried.result = queryInto(key, valueName, queried.value, queried.type);
  RegCloseKey(key);
  return queried;
}

}  // namespace marovel::registry
