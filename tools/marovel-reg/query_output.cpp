#include "query_output.h"

#include "ansi_codepage.h"
#include "ascii_case.h"
#include "key_name.h"
#include "value_data.h"

namespace marovel::reg_tool {
namespace {

using regfile::fullKeyNameOf;
using regfile::upperCase;

constexpr std::string_view Gap = "    ";

std::string_view untilNul(std::string_view text) { return text.substr(0, text.find('\0')); }

std::string multiStringText(std::string_view text) {
  while (text.ends_with('\0')) text.remove_suffix(1);
  std::string shown;
  for (char c : text) shown += c == '\0' ? std::string("\\0") : std::string(1, c);
  return shown;
}

std::string upperHexPairs(const ValueBytes& bytes) {
  std::string text;
  for (std::uint8_t byte : bytes) text += hexNumber(byte, 2);
  return upperCase(text);
}

std::string dataText(const standin::StoredValue& value) {
  const std::string_view text = asText(value.data);
  switch (value.type) {
    case REG_SZ:
    case REG_EXPAND_SZ: return registry::ansiToUtf8(untilNul(text));
    case REG_MULTI_SZ: return registry::ansiToUtf8(multiStringText(text));
    case REG_DWORD:
      if (auto number = dwordOf(value.data)) return "0x" + hexNumber(*number);
      break;
    case REG_QWORD:
      if (auto number = qwordOf(value.data)) return "0x" + hexNumber(*number);
      break;
  }
  return upperHexPairs(value.data);
}

}  // namespace

std::string valueLine(const standin::StoredValue& value) {
  const std::string name = value.name.empty() ? "(Default)" : registry::ansiToUtf8(value.name);
  return std::string(Gap) + name + std::string(Gap) + typeNameOf(value.type) + std::string(Gap) + dataText(value) +
         "\n";
}

std::string keyBlock(const std::string& keyPath, const std::vector<standin::StoredValue>& values) {
  std::string text = "\n" + registry::ansiToUtf8(fullKeyNameOf(keyPath)) + "\n";
  for (const auto& value : values) text += valueLine(value);
  return text;
}

std::string subkeyList(const std::string& keyPath, const std::vector<std::string>& subkeyNames) {
  if (subkeyNames.empty()) return {};
  std::string text = "\n";
  for (const auto& name : subkeyNames) text += registry::ansiToUtf8(fullKeyNameOf(subkeyPath(keyPath, name))) + "\n";
  return text;
}

std::string subkeyPath(const std::string& keyPath, const std::string& subkeyName) {
  return keyPath.empty() ? subkeyName : keyPath + "\\" + subkeyName;
}

}  // namespace marovel::reg_tool
