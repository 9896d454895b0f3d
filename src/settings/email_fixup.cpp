#include "email_fixup.h"

namespace marovel::settings {
namespace {

// Non-overlapping, from the left; `from` is never empty here.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string replaced;
  std::size_t pos = 0;
  for (std::size_t found; (found = text.find(from, pos)) != std::string_view::npos; pos = found + from.size()) {
    replaced.append(text.substr(pos, found - pos));
    replaced.append(to);
  }
  replaced.append(text.substr(pos));
  return replaced;
}

// The byte offset of the character that follows `count` characters; npos when the text is shorter.
std::size_t byteOffsetAfterCharacters(std::string_view text, std::size_t count) {
  auto isContinuationByte = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
  std::size_t pos = 0;
  for (std::size_t seen = 0; seen < count; ++seen) {
    if (pos == text.size()) return std::string_view::npos;
    ++pos;
    while (pos < text.size() && isContinuationByte(text[pos])) ++pos;
  }
  return pos;
}

}  // namespace

std::string repairEmailHyphens(std::string_view text) { return replaceAll(text, "%2D", "-"); }

std::string repairUpdateUrlEmail(std::string_view url) {
  constexpr std::string_view parameter = "EmailAddress=";
  constexpr std::size_t unsearchedCharacters = 23;
  // A URL shorter than that gives npos, and find() finds nothing from there.
  std::size_t start = url.find(parameter, byteOffsetAfterCharacters(url, unsearchedCharacters));
  if (start == std::string_view::npos) return std::string(url);
  std::size_t end = url.find('&', start);
  std::string_view segment = url.substr(start, end == std::string_view::npos ? end : end - start);
  return replaceAll(url, segment, repairEmailHyphens(segment));
}

}  // namespace marovel::settings
