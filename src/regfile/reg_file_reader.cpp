// Reads a .reg file the way Windows's importer does, line by line, but takes it only whole: where
// Windows would skip a line and import the rest, the file is refused with that line.
#include "reg_file_reader.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "ansi_codepage.h"
#include "key_name.h"
#include "reg_file_error.h"
#include "reg_file_lines.h"
#include "reg_value_grammar.h"
#include "unicode_text.h"
#include "win32_registry.h"

namespace marovel::regfile {
namespace {

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

  // A text value as the A functions read it back: ANSI, ending in a NUL unless empty, as Windows
  // stores a text written without one.
  ValueBytes textValue(ValueBytes bytes) const {
    if (utf16Values) bytes = ansiOfUtf16le(bytes);
    if (!bytes.empty() && bytes.back() != 0) bytes.push_back(0);
    return bytes;
  }

  std::string shown(std::string_view line) const { return utf8Lines ? std::string(line) : registry::ansiToUtf8(line); }

 private:
  static ValueBytes ansiOfUtf16le(const ValueBytes& bytes) {
    if (bytes.size() % 2 != 0) throw LineFault{"UTF-16LE text needs an even number of bytes"};
    const std::string text = ansiOfUtf8(utf8OfUtf16le(asText(bytes)));
    return {text.begin(), text.end()};
  }
};

std::string_view firstLine(std::string_view text) { return text.substr(0, text.find_first_of("\r\n")); }

// Whether the line is REGEDIT4 or Version 5.00's header, after blanks; headers that only begin
// with REGEDIT Windows also takes, but it imports nothing below them.
enum class Header { Regedit4, Version5, ImportsNothing, None };

Header headerOf(std::string_view line) {
  line = afterBlanks(line);
  if (line == RegFileHeader) return Header::Regedit4;
  if (line == UnicodeRegFileHeader) return Header::Version5;
  return line.starts_with("REGEDIT") ? Header::ImportsNothing : Header::None;
}

// The file's text as UTF-8 when it is Unicode, else its ANSI bytes as they are.
std::pair<std::string, Encoding> textOf(std::string_view bytes) {
  if (bytes.starts_with(Utf16leBom)) return {utf8OfUtf16le(bytes.substr(Utf16leBom.size())), {.utf8Lines = true}};
  if (bytes.starts_with(Utf8Bom)) return {validUtf8(bytes.substr(Utf8Bom.size())), {.utf8Lines = true}};
  if (headerOf(firstLine(bytes)) == Header::Version5) return {validUtf8(bytes), {.utf8Lines = true}};
  return {std::string(bytes), {}};
}

// "hex:…" (REG_BINARY) or "hex(T):…" with the type T in hex digits.
RegData hexData(std::string_view text, const Encoding& encoding, LineCursor& lines) {
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
  ValueBytes bytes = hexBytes(text.substr(1), lines);
  return {type, isTextType(type) ? encoding.textValue(std::move(bytes)) : std::move(bytes)};
}

// The type tags are matched in lower case only, as Windows matches them.
std::optional<RegData> dataOf(std::string_view text, const Encoding& encoding, LineCursor& lines) {
  if (text.starts_with('-')) {
    requireEndOrComment(text.substr(1), "-");
    return std::nullopt;
  }
  if (text.starts_with('"')) {
    std::string value = takeQuoted(text);
    requireEndOrComment(text, "the closing quote");
    return RegData{REG_SZ, textBytes(encoding.ansi(value))};
  }
  if (text.starts_with("dword:")) return RegData{REG_DWORD, dwordBytes(dwordNumber(text.substr(6)))};
  if (text.starts_with("hex:") || text.starts_with("hex(")) return hexData(text, encoding, lines);
  throw LineFault{"data must be \"text\", dword:, hex:, hex(…): or -"};
}

RegEntry entryOf(std::string_view line, const Encoding& encoding, LineCursor& lines) {
  RegEntry entry;
  if (line.starts_with('@')) {
    line.remove_prefix(1);
  } else {
    entry.name = encoding.ansi(takeQuoted(line));
  }
  line = afterBlanks(line);
  if (!line.starts_with('=')) throw LineFault{"missing = after the name"};
  entry.data = dataOf(afterBlanks(line.substr(1)), encoding, lines);
  return entry;
}

// "[KEY]" or "[-KEY]": the name runs to the last ']', and no blank may open it, as Windows reads it.
RegSection sectionOf(std::string_view line, const Encoding& encoding) {
  const auto close = line.rfind(']');
  if (close == std::string_view::npos) throw LineFault{"malformed section header (no closing ])"};
  requireEndOrComment(line.substr(close + 1), "]");
  std::string_view name = line.substr(1, close - 1);
  RegSection section;
  section.deletesKey = name.starts_with('-');
  if (section.deletesKey) name.remove_prefix(1);
  if (afterBlanks(name) != name) throw LineFault{"malformed section header (a blank before the key name)"};
  section.keyPath = encoding.ansi(keyPathOf(name));
  // [HKEY_LOCAL_MACHINE] alone, as an export of the whole store begins, changes nothing.
  if (section.deletesKey) requireSubkey(section.keyPath);
  return section;
}

// A line Windows passes over: blank, or a comment after ';' or '#'.
bool isBlankOrComment(std::string_view line) { return isEndOrComment(line) || afterBlanks(line).starts_with('#'); }

class Reader {
 public:
  explicit Reader(std::string_view fileName) : fileName_(fileName) {}

  RegFile read(std::string_view bytes) {
    const auto [text, encoding] = textOf(bytes);
    encoding_ = encoding;
    LineCursor lines(linesOf(text));
    try {
      readHeader(lines);
      while (!lines.atEnd()) readLine(afterBlanks(lines.next()), lines);
    } catch (const LineFault& fault) {
      fail(lines, fault.what);
    } catch (const RegFileError& error) {  // from the key name
      fail(lines, error.what());
    }
    return std::move(sections_);
  }

 private:
  void readHeader(LineCursor& lines) {
    const Header header = headerOf(lines.atEnd() ? std::string_view() : lines.next());
    if (header == Header::None) {
      throw LineFault{"not a .reg file (the first line must be REGEDIT4 or Windows Registry Editor Version 5.00)"};
    }
    // Windows reports success for such a file, so one with nothing to import is taken as it is.
    if (header == Header::ImportsNothing && !std::ranges::all_of(lines.rest(), isBlankOrComment)) {
      throw LineFault{"Windows imports nothing below this first line (REGEDIT4 or Version 5.00's is needed)"};
    }
    encoding_.utf16Values = header == Header::Version5;
  }

  void readLine(std::string_view line, LineCursor& lines) {
    if (isBlankOrComment(line)) return;
    if (line.starts_with('[')) {
      sections_.push_back(sectionOf(line, encoding_));
    } else if (line.starts_with('"') || line.starts_with('@')) {
      if (sections_.empty()) throw LineFault{"value line before the first section"};
      if (sections_.back().deletesKey) throw LineFault{"value line in a section that deletes its key"};
      requireSubkey(sections_.back().keyPath);
      try {
        sections_.back().entries.push_back(entryOf(line, encoding_, lines));
      } catch (const LineFault& fault) {
        throw LineFault{"malformed value line (" + fault.what + ")"};
      }
    } else {
      throw LineFault{"neither a section, a value nor a comment"};
    }
  }

  // An empty file's fault lies in its first line too.
  [[noreturn]] void fail(const LineCursor& lines, const std::string& what) const {
    const std::size_t lineNumber = std::max<std::size_t>(lines.currentNumber(), 1);
    throw RegFileError(std::string(fileName_) + ":" + std::to_string(lineNumber) + ": " + what + ": " +
                       encoding_.shown(lines.current()));
  }

  std::string_view fileName_;
  Encoding encoding_;
  RegFile sections_;
};

}  // namespace

RegFile readRegFile(std::string_view bytes, std::string_view fileName) { return Reader(fileName).read(bytes); }

}  // namespace marovel::regfile
