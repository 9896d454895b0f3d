#include "value_data.h"

#include <array>
#include <cstdint>
#include <vector>

#include "ascii_case.h"
#include "tool_error.h"
#include "win32_registry.h"

namespace marovel::reg_tool {
namespace {

using regfile::equalsIgnoringCase;

constexpr std::array<std::string_view, 12> TypeNames = {
    "REG_NONE",          "REG_SZ",
    "REG_EXPAND_SZ",     "REG_BINARY",
    "REG_DWORD",         "REG_DWORD_BIG_ENDIAN",
    "REG_LINK",          "REG_MULTI_SZ",
    "REG_RESOURCE_LIST", "REG_FULL_RESOURCE_DESCRIPTOR",
    "REG_RESOURCE_REQUIREMENTS_LIST", "REG_QWORD"};

constexpr std::array<DWORD, 6> WritableTypes = {REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD, REG_QWORD, REG_BINARY};

std::uint64_t numberFromText(std::string_view data, DWORD type, std::uint64_t largest) {
  const bool hex = data.starts_with("0x") || data.starts_with("0X");
  auto number = hex ? parseQword(data.substr(2), 16) : parseQword(data, 10);
  if (!number || *number > largest) {
    throw ToolError(typeNameOf(type) + " data must be a number from 0 to " + std::to_string(largest) +
                    ", decimal or 0x-hex: " + std::string(data));
  }
  return *number;
}

std::vector<std::string_view> split(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> parts;
  for (auto end = text.find(separator); end != std::string_view::npos; end = text.find(separator)) {
    parts.push_back(text.substr(0, end));
    text.remove_prefix(end + separator.size());
  }
  parts.push_back(text);
  return parts;
}

// As reg.exe takes it: the strings separated by \0, which may also end the data; no string may
// be empty, since an empty one would end the list. No data at all is the empty list.
ValueBytes multiStringFromText(std::string_view data) {
  std::vector<std::string_view> strings = split(data, "\\0");
  if (strings.back().empty()) strings.pop_back();
  ValueBytes bytes;
  for (std::string_view string : strings) {
    if (string.empty()) throw ToolError("REG_MULTI_SZ data cannot hold an empty string: " + std::string(data));
    bytes.insert(bytes.end(), string.begin(), string.end());
    bytes.push_back(0);
  }
  bytes.push_back(0);
  return bytes;
}

ValueBytes binaryFromText(std::string_view data) {
  if (data.size() % 2 != 0) throw ToolError("REG_BINARY data must be pairs of hex digits: " + std::string(data));
  ValueBytes bytes;
  for (std::size_t i = 0; i < data.size(); i += 2) {
    auto high = hexDigitValue(data[i]);
    auto low = hexDigitValue(data[i + 1]);
    if (!high || !low) throw ToolError("REG_BINARY data must be pairs of hex digits: " + std::string(data));
    bytes.push_back(static_cast<std::uint8_t>(*high << 4 | *low));
  }
  return bytes;
}

}  // namespace

std::string typeNameOf(std::uint32_t type) {
  if (type < TypeNames.size()) return std::string(TypeNames[type]);
  return "0x" + hexNumber(type);
}

std::uint32_t writableTypeNamed(std::string_view name) {
  for (DWORD type : WritableTypes) {
    if (equalsIgnoringCase(name, TypeNames[type])) return type;
  }
  throw ToolError("unsupported type " + std::string(name) +
                  " (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD, REG_QWORD or REG_BINARY)");
}

ValueBytes valueBytesFromText(std::uint32_t type, std::string_view data) {
  switch (type) {
    case REG_DWORD: return dwordBytes(static_cast<std::uint32_t>(numberFromText(data, type, UINT32_MAX)));
    case REG_QWORD: return qwordBytes(numberFromText(data, type, UINT64_MAX));
    case REG_MULTI_SZ: return multiStringFromText(data);
    case REG_BINARY: return binaryFromText(data);
    default: return regfile::textBytes(data);
  }
}

}  // namespace marovel::reg_tool
