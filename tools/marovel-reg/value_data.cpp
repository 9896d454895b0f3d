#include "value_data.h"

#include <array>
#include <charconv>

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

constexpr std::array<DWORD, 4> WritableTypes = {REG_SZ, REG_EXPAND_SZ, REG_DWORD, REG_BINARY};

std::uint32_t dwordFromText(std::string_view data) {
  const bool hex = data.starts_with("0x") || data.starts_with("0X");
  auto number = hex ? parseDword(data.substr(2), 16) : parseDword(data, 10);
  if (!number) {
    throw ToolError("REG_DWORD data must be a number from 0 to 4294967295, decimal or 0x-hex: " +
                    std::string(data));
  }
  return *number;
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
  throw ToolError("unsupported type " + std::string(name) + " (REG_SZ, REG_EXPAND_SZ, REG_DWORD or REG_BINARY)");
}

ValueBytes valueBytesFromText(std::uint32_t type, std::string_view data) {
  switch (type) {
    case REG_DWORD: return dwordBytes(dwordFromText(data));
    case REG_BINARY: return binaryFromText(data);
    default: return regfile::textBytes(data);
  }
}

}  // namespace marovel::reg_tool
