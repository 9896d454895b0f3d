// The listing `query` prints, laid out as reg.exe lays it out; UTF-8 for the terminal.
#pragma once

#include <string>
#include <vector>

#include "standin_store.h"

namespace marovel::reg_tool {

// "    name    REG_TYPE    data": texts up to their first NUL, a REG_MULTI_SZ's strings joined
// by "\0", a 4-byte DWORD and an 8-byte QWORD as 0x and lower-case hex, anything else as
// upper-case hex pairs.
// The default value is named (Default).
std::string valueLine(const standin::StoredValue& value);

// An empty line, the key's full name, then its values' lines.
std::string keyBlock(const std::string& keyPath, const std::vector<standin::StoredValue>& values);

// An empty line, then each subkey's full name on a line; nothing when there are none.
std::string subkeyList(const std::string& keyPath, const std::vector<std::string>& subkeyNames);

std::string subkeyPath(const std::string& keyPath, const std::string& subkeyName);

}  // namespace marovel::reg_tool
