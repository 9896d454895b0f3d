// Reading a whole file's bytes; a failure throws ToolError naming the file.
#pragma once

#include <string>

namespace marovel::reg_tool {

std::string readWholeFile(const std::string& fileName);

}  // namespace marovel::reg_tool
