// Whole-file reading and writing of bytes; failures throw ToolError naming the file.
#pragma once

#include <string>

namespace marovel::reg_tool {

std::string readWholeFile(const std::string& fileName);

// Creates or truncates the file; a failed write leaves no partial file behind.
void writeWholeFile(const std::string& fileName, const std::string& bytes);

}  // namespace marovel::reg_tool
