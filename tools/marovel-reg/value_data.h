// Registry type names and the conversions of value data that several commands share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "value_bytes.h"

namespace marovel::reg_tool {

using regfile::asText;
using regfile::dwordBytes;
using regfile::dwordOf;
using regfile::hexDigitValue;
using regfile::hexNumber;
using regfile::parseQword;
using regfile::qwordBytes;
using regfile::qwordOf;
using regfile::ValueBytes;

// "REG_SZ" and the like; a code without a name shows as "0x" and its hex digits.
std::string typeNameOf(std::uint32_t type);

// The types `add` can write: REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD, REG_QWORD, REG_BINARY
// (any letter case).
// Throws ToolError for another name.
std::uint32_t writableTypeNamed(std::string_view name);

// The stored bytes of `add`'s data text (ANSI) for a writable type: a text with its
// terminating NUL; strings separated by \0 for REG_MULTI_SZ, each with its NUL and one more
// after the last; a DWORD or QWORD given in decimal or 0x-hex, little-endian; hex pairs without
// separators for REG_BINARY. Throws ToolError for data the type cannot take.
ValueBytes valueBytesFromText(std::uint32_t type, std::string_view data);

}  // namespace marovel::reg_tool
