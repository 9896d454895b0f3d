#include "reg_file_writer.h"

#include "ansi_codepage.h"
#include "ascii_case.h"
#include "key_name.h"
#include "reg_file_error.h"
#include "unicode_text.h"
#include "win32_registry.h"

namespace marovel::regfile {
namespace {

constexpr std::string_view LineEnd = "\r\n";

// A NUL ends Windows's reading of a line as a line break does.
bool hasLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool isUndefinedInWindows1252(unsigned char byte) {
  return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

std::string quoted(std::string_view text) {
  std::string result = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') result.push_back('\\');
    result.push_back(c);
  }
  return result + '"';
}

// A REG_SZ a quoted string gives back exactly: one terminating NUL, quotable text before it.
bool isPlainText(const RegData& data) {
  if (data.type != REG_SZ || data.bytes.empty() || data.bytes.back() != 0) return false;
  return isQuotableText(asText(data.bytes).substr(0, data.bytes.size() - 1));
}

// Only a section that the reader reads back the same: its key path parses to itself, and only a
// key below the root keeps values or is deleted, a deleted one with none.
void requireReadableBack(const RegSection& section) {
  if (hasLineBreakOrNul(section.keyPath)) {
    throw RegFileError("a key name with a line break or NUL cannot be written to a .reg file");
  }
  if (keyPathOf(fullKeyNameOf(section.keyPath)) != section.keyPath) {
    throw RegFileError("invalid key name (a trailing \\)");
  }
  if (section.deletesKey || !section.entries.empty()) requireSubkey(section.keyPath);
  if (section.deletesKey && !section.entries.empty()) {
    throw RegFileError("a section that deletes its key cannot write values");
  }
}

// The ANSI text the writer lays out; a Version 5.00 file holds it, and its text values, in UTF-16LE.
class Writer {
 public:
  Writer(const RegFileStyle& style, bool unicode) : style_(style), unicode_(unicode) {}

  std::string write(const RegFile& sections) const {
    std::string text(unicode_ ? UnicodeRegFileHeader : RegFileHeader);
    text.append(LineEnd).append(LineEnd);
    for (std::size_t i = 0; i < sections.size(); ++i) {
      if (i != 0 && style_.blankLineBetweenSections) text.append(LineEnd);
      appendSection(text, sections[i]);
    }
    return text;
  }

 private:
  std::string hex(std::uint64_t number, std::size_t digits) const {
    std::string text = hexNumber(number, digits);
    return style_.upperCaseHex ? upperCase(std::move(text)) : text;
  }

  std::string hexList(const RegData& data) const {
    std::string text = data.type == REG_BINARY ? "hex:" : "hex(" + hex(data.type, 1) + "):";
    const std::string bytes = unicode_ && isTextType(data.type)
                                  ? utf16leOfUtf8(registry::ansiToUtf8(asText(data.bytes)))
                                  : std::string(asText(data.bytes));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (i != 0) text.push_back(',');
      text += hex(static_cast<unsigned char>(bytes[i]), 2);
    }
    return text;
  }

  std::string dataText(const std::optional<RegData>& data) const {
    if (!data) return "-";
    if (isPlainText(*data)) return quoted(asText(data->bytes).substr(0, data->bytes.size() - 1));
    if (auto number = data->type == REG_DWORD ? dwordOf(data->bytes) : std::nullopt) {
      return "dword:" + hex(*number, 8);
    }
    return hexList(*data);
  }

  std::string entryLine(const RegEntry& entry) const {
    if (hasLineBreakOrNul(entry.name)) {
      throw RegFileError("a value name with a line break or NUL cannot be written to a .reg file");
    }
    return (entry.name.empty() ? std::string("@") : quoted(entry.name)) + "=" + dataText(entry.data);
  }

  void appendSection(std::string& text, const RegSection& section) const {
    requireReadableBack(section);
    text.append("[").append(section.deletesKey ? "-" : "").append(fullKeyNameOf(section.keyPath)).append("]");
    text.append(LineEnd);
    for (const RegEntry& entry : section.entries) text.append(entryLine(entry)).append(LineEnd);
  }

  RegFileStyle style_;
  bool unicode_;
};

}  // namespace

bool isQuotableText(std::string_view ansi) {
  for (char c : ansi) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || isUndefinedInWindows1252(byte)) return false;
  }
  return true;
}

std::string writeRegFile(const RegFile& sections, const RegFileStyle& style) {
  return Writer(style, false).write(sections);
}

std::string writeUnicodeRegFile(const RegFile& sections) {
  const std::string ansi = Writer({}, true).write(sections);
  return std::string(Utf16leBom) + utf16leOfUtf8(registry::ansiToUtf8(ansi));
}

}  // namespace marovel::regfile
