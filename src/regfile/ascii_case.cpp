#include "ascii_case.h"

#include <algorithm>

namespace marovel::regfile {
namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return lower(x) == lower(y); });
}

std::string lowerCase(std::string text) {
  std::ranges::transform(text, text.begin(), lower);
  return text;
}

std::string upperCase(std::string text) {
  std::ranges::transform(text, text.begin(), upper);
  return text;
}

}  // namespace marovel::regfile
