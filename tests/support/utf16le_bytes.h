// A UTF-16LE file's bytes from a test's own UTF-16 text (u"\uFEFF" gives the byte-order mark), so
// that tables can hold Version 5.00 files as regedit writes them.
#pragma once

#include <string>
#include <string_view>

namespace marovel::testing {

inline std::string utf16leBytes(std::u16string_view text) {
  std::string bytes;
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

}  // namespace marovel::testing
