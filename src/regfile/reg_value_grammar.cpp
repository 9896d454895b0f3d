// The value grammar, step by step as Windows's importer reads a value line.
#include "reg_value_grammar.h"

#include <optional>

namespace marovel::regfile {
namespace {

constexpr std::string_view Blanks = " \t";

bool startsWithHexDigit(std::string_view text) { return !text.empty() && hexDigitValue(text.front()); }

// One or two hex digits at the start of text, as a byte; text is left after them.
std::optional<std::uint8_t> takeByte(std::string_view& text) {
  std::size_t digits = 0;
  while (digits < 3 && startsWithHexDigit(text.substr(digits))) ++digits;
  if (digits == 0 || digits == 3) return std::nullopt;
  auto byte = parseDword(text.substr(0, digits), 16);
  text.remove_prefix(digits);
  return static_cast<std::uint8_t>(*byte);
}

enum class ListEnd { InThisLine, InTheNextLine };

// Appends one line's part of a hex list.
ListEnd appendHexBytes(std::string_view text, ValueBytes& bytes) {
  text = afterBlanks(text);
  while (!isEndOrComment(text)) {
    if (text.starts_with('\\')) {
      requireEndOrComment(text.substr(1), "the \\ that continues a line");
      return ListEnd::InTheNextLine;
    }
    auto byte = takeByte(text);
    if (!byte) throw LineFault{"hex data must be bytes of one or two hex digits, separated by commas"};
    bytes.push_back(*byte);
    if (!text.starts_with(',')) {
      requireEndOrComment(text, "the last byte");
      break;
    }
    text = afterBlanks(text.substr(1));
  }
  return ListEnd::InThisLine;
}

}  // namespace

std::string_view afterBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(Blanks);
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

bool isEndOrComment(std::string_view text) {
  text = afterBlanks(text);
  return text.empty() || text.starts_with(';');
}

void requireEndOrComment(std::string_view rest, std::string_view what) {
  if (!isEndOrComment(rest)) throw LineFault{"only blanks or a ; comment may follow " + std::string(what)};
}

std::string takeQuoted(std::string_view& text) {
  std::string result;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] == '"') {
      text.remove_prefix(i + 1);
      return result;
    }
    if (text[i] == '\\') {
      if (++i == text.size() || (text[i] != '\\' && text[i] != '"'))
        throw LineFault{"only \\\\ and \\\" may follow \\"};
    }
    result.push_back(text[i]);
  }
  throw LineFault{"missing closing quote"};
}

std::uint32_t dwordNumber(std::string_view text) {
  text = afterBlanks(text);
  std::size_t digits = 0;
  while (startsWithHexDigit(text.substr(digits))) ++digits;
  auto number = digits <= 8 ? parseDword(text.substr(0, digits), 16) : std::nullopt;
  if (!number) throw LineFault{"dword: needs 1 to 8 hex digits"};
  requireEndOrComment(text.substr(digits), "the dword");
  return *number;
}

ValueBytes hexBytes(std::string_view text, LineCursor& lines) {
  ValueBytes bytes;
  auto end = appendHexBytes(text, bytes);
  while (end == ListEnd::InTheNextLine && !lines.atEnd()) {
    const std::string_view line = afterBlanks(lines.next());
    if (isEndOrComment(line)) continue;
    if (!startsWithHexDigit(line)) throw LineFault{"a hex value continued with \\ must go on with hex digits"};
    end = appendHexBytes(line, bytes);
  }
  return bytes;
}

}  // namespace marovel::regfile
