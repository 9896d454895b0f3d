#include "reg_file_reader.h"

#include <string>
#include <utility>
#include <vector>

#include "ansi_codepage.h"
#include "ascii_case.h"
#include "key_name.h"
#include "reg_file_error.h"
#include "unicode_text.h"
#include "win32_registry.h"

namespace marovel::regfile {
namespace {

// A fault in one line; the reader adds the file, the line number and the line.
struct LineFault {
  std::string what;
};

constexpr std::string_view Blanks = " \t";

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(Blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

// Names and texts as the store holds them: ANSI, refused rather than changed.
std::string ansiOfUtf8(std::string_view text) {
  auto converted = registry::utf8ToAnsi(text);
  if (!converted) throw LineFault{"a character outside Windows-1252"};
  return *converted;
}

// How a file holds its text: the byte-order mark (or a Version 5.00 header without one) decides
// whether the lines are UTF-8 or ANSI; the header whether text values in hex(…) are UTF-16LE.
struct Encoding {
  bool utf8Lines = false;
  bool utf16Values = false;

  std::string ansi(std::string_view text) const { return utf8Lines ? ansiOfUtf8(text) : std::string(text); }

  ValueBytes ansiValue(std::uint32_t type, ValueBytes bytes) const {
    if (!utf16Values || !isTextType(type)) return bytes;
    if (bytes.size() % 2 != 0) throw LineFault{"UTF-16LE text needs an even number of bytes"};
    const std::string text = ansiOfUtf8(utf8OfUtf16le(asText(bytes)));
    return {text.begin(), text.end()};
  }

  std::string shown(std::string_view line) const { return utf8Lines ? std::string(line) : registry::ansiToUtf8(line); }
};

std::string_view firstLine(std::string_view text) { return text.substr(0, text.find_first_of("\r\n")); }

// The file's text as UTF-8 when it is Unicode, else its ANSI bytes as they are.
std::pair<std::string, Encoding> textOf(std::string_view bytes) {
  if (bytes.starts_with(Utf16leBom)) return {utf8OfUtf16le(bytes.substr(Utf16leBom.size())), {.utf8Lines = true}};
  if (bytes.starts_with(Utf8Bom)) return {validUtf8(bytes.substr(Utf8Bom.size())), {.utf8Lines = true}};
  if (trimmed(firstLine(bytes)) == UnicodeRegFileHeader) return {validUtf8(bytes), {.utf8Lines = true}};
  return {std::string(bytes), {}};
}

std::vector<std::string_view> linesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// A quoted string at the start of text, with \\ and \" unescaped; text is left after it.
std::string takeQuoted(std::string_view& text) {
  std::string result;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] == '"') {
      text.remove_prefix(i + 1);
      return result;
    }
    if (text[i] == '\\') {
      if (++i == text.size() || (text[i] != '\\' && text[i] != '"')) throw LineFault{"only \\\\ and \\\" may follow \\"};
    }
    result.push_back(text[i]);
  }
  throw LineFault{"missing closing quote"};
}

RegData dwordData(std::string_view digits) {
  auto number = digits.size() <= 8 ? parseDword(digits, 16) : std::nullopt;
  if (!number) throw LineFault{"dword: needs 1 to 8 hex digits"};
  return {REG_DWORD, dwordBytes(*number)};
}

ValueBytes hexBytes(std::string_view list) {
  ValueBytes bytes;
  if (trimmed(list).empty()) return bytes;
  while (true) {
    const auto comma = list.find(',');
    const std::string_view pair = trimmed(list.substr(0, comma));
    auto high = pair.size() == 2 ? hexDigitValue(pair[0]) : std::nullopt;
    auto low = pair.size() == 2 ? hexDigitValue(pair[1]) : std::nullopt;
    if (!high || !low) throw LineFault{"hex data must be comma-separated pairs of hex digits"};
    bytes.push_back(static_cast<std::uint8_t>(*high << 4 | *low));
    if (comma == std::string_view::npos) return bytes;
    list.remove_prefix(comma + 1);
  }
}

// "hex:…" (REG_BINARY) or "hex(T):…" with the type T in hex digits.
RegData hexData(std::string_view text, const Encoding& encoding) {
  text.remove_prefix(3);
  DWORD type = REG_BINARY;
  if (text.starts_with('(')) {
    const auto close = text.find(')');
    auto code = close == std::string_view::npos ? std::nullopt : parseDword(text.substr(1, close - 1), 16);
    if (!code) throw LineFault{"hex( needs a type in hex digits and )"};
    type = *code;
    text.remove_prefix(close + 1);
  }
  if (!text.starts_with(':')) throw LineFault{"hex data must follow a colon"};
  return {type, encoding.ansiValue(type, hexBytes(text.substr(1)))};
}

std::optional<RegData> dataOf(std::string_view text, const Encoding& encoding) {
  if (text == "-") return std::nullopt;
  if (text.starts_with('"')) {
    std::string value = takeQuoted(text);
    if (!trimmed(text).empty()) throw LineFault{"text after the closing quote"};
    return RegData{REG_SZ, textBytes(encoding.ansi(value))};
  }
  if (startsWithIgnoringCase(text, "dword:")) return dwordData(text.substr(6));
  if (startsWithIgnoringCase(text, "hex")) return hexData(text, encoding);
  throw LineFault{"data must be \"text\", dword:, hex:, hex(…): or -"};
}

// A lone CR does not end a line here, but no key or value may be named with one.
void requireNoCarriageReturn(std::string_view name) {
  if (name.find('\r') != std::string_view::npos) throw LineFault{"a carriage return inside a name"};
}

RegEntry entryOf(std::string_view line, const Encoding& encoding) {
  RegEntry entry;
  if (line.starts_with('@')) {
    line.remove_prefix(1);
  } else {
    entry.name = encoding.ansi(takeQuoted(line));
    requireNoCarriageReturn(entry.name);
  }
  line = trimmed(line);
  if (!line.starts_with('=')) throw LineFault{"missing = after the name"};
  entry.data = dataOf(trimmed(line.substr(1)), encoding);
  return entry;
}

RegSection sectionOf(std::string_view line, const Encoding& encoding) {
  if (!line.ends_with(']')) throw LineFault{"malformed section header"};
  std::string_view name = line.substr(1, line.size() - 2);
  RegSection section;
  section.deletesKey = name.starts_with('-');
  if (section.deletesKey) name.remove_prefix(1);
  section.keyPath = encoding.ansi(keyPathOf(name));
  requireNoCarriageReturn(section.keyPath);
  // [HKEY_LOCAL_MACHINE] alone, as an export of the whole store begins, changes nothing.
  if (section.deletesKey) requireSubkey(section.keyPath);
  return section;
}

// A hex value may go on over further lines, each but the last ending in '\'; no other
// sound value line ends in '\'.
std::string joinedContinuation(const std::vector<std::string_view>& lines, std::size_t& index) {
  std::string line(trimmed(lines[index]));
  const bool valueLine = line.starts_with('"') || line.starts_with('@');
  while (valueLine && line.ends_with('\\') && index + 1 < lines.size()) {
    line.pop_back();
    line += trimmed(lines[++index]);
  }
  return line;
}

class Reader {
 public:
  explicit Reader(std::string_view fileName) : fileName_(fileName) {}

  RegFile read(std::string_view bytes) {
    const auto [text, encoding] = textOf(bytes);
    encoding_ = encoding;
    const auto lines = linesOf(text);
    readHeader(lines.empty() ? std::string_view() : lines[0]);
    for (std::size_t index = 1; index < lines.size(); ++index) {
      const std::size_t lineNumber = index + 1;
      const std::string line = joinedContinuation(lines, index);
      try {
        readLine(line);
      } catch (const LineFault& fault) {
        fail(lineNumber, fault.what, line);
      } catch (const RegFileError& error) {  // from the key name
        fail(lineNumber, error.what(), line);
      }
    }
    return std::move(sections_);
  }

 private:
  void readHeader(std::string_view line) {
    const std::string_view header = trimmed(line);
    if (header != RegFileHeader && header != UnicodeRegFileHeader) {
      fail(1, "not a .reg file (the first line must be REGEDIT4 or Windows Registry Editor Version 5.00)", line);
    }
    encoding_.utf16Values = header == UnicodeRegFileHeader;
  }

  void readLine(std::string_view line) {
    if (line.empty() || line.starts_with(';')) return;
    if (line.starts_with('[')) {
      sections_.push_back(sectionOf(line, encoding_));
    } else if (line.starts_with('"') || line.starts_with('@')) {
      if (sections_.empty()) throw LineFault{"value line before the first section"};
      if (sections_.back().deletesKey) throw LineFault{"value line in a section that deletes its key"};
      requireSubkey(sections_.back().keyPath);
      try {
        sections_.back().entries.push_back(entryOf(line, encoding_));
      } catch (const LineFault& fault) {
        throw LineFault{"malformed value line (" + fault.what + ")"};
      }
    } else {
      throw LineFault{"neither a section, a value nor a comment"};
    }
  }

  [[noreturn]] void fail(std::size_t lineNumber, const std::string& what, std::string_view line) const {
    throw RegFileError(std::string(fileName_) + ":" + std::to_string(lineNumber) + ": " + what + ": " +
                       encoding_.shown(line));
  }

  std::string_view fileName_;
  Encoding encoding_;
  RegFile sections_;
};

}  // namespace

RegFile readRegFile(std::string_view bytes, std::string_view fileName) { return Reader(fileName).read(bytes); }

}  // namespace marovel::regfile
