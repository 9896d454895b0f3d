#include "file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "tool_error.h"

namespace marovel::reg_tool {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

[[noreturn]] void fail(std::string_view doing, const std::string& fileName, int error) {
  throw ToolError("cannot " + std::string(doing) + " " + fileName + ": " + std::strerror(error));
}

}  // namespace

std::string readWholeFile(const std::string& fileName) {
  FileHandle file(std::fopen(fileName.c_str(), "rb"));
  if (!file) fail("open", fileName, errno);
  std::string bytes;
  char buffer[65536];
  while (const std::size_t count = std::fread(buffer, 1, sizeof buffer, file.get())) bytes.append(buffer, count);
  if (std::ferror(file.get())) fail("read", fileName, errno);
  return bytes;
}

}  // namespace marovel::reg_tool
