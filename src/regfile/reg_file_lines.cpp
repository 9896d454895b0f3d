// Splits a file into lines at CR LF, CR or LF, as Windows does, and hands them out in turn.
#include "reg_file_lines.h"

namespace marovel::regfile {

std::vector<std::string_view> linesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto end = text.find_first_of("\r\n");
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(text.substr(end).starts_with("\r\n") ? end + 2 : end + 1);
  }
  return lines;
}

std::string_view LineCursor::next() {
  const std::string_view line = lines_[next_++];
  if (line.find('\0') != std::string_view::npos) throw LineFault{"a NUL character"};
  return line;
}

}  // namespace marovel::regfile
