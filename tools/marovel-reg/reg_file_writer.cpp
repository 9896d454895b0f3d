#include "reg_file_writer.h"

#include "key_name.h"
#include "tool_error.h"
#include "win32_registry.h"

namespace marovel::reg_tool {
namespace {

constexpr std::string_view LineEnd = "\r\n";

bool hasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

std::string quoted(std::string_view text) {
  std::string result = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') result.push_back('\\');
    result.push_back(c);
  }
  return result + '"';
}

// A REG_SZ a quoted string gives back exactly: one terminating NUL, no other NUL, one line.
bool isPlainText(const RegData& data) {
  if (data.type != REG_SZ || data.bytes.empty() || data.bytes.back() != 0) return false;
  const std::string_view text = asText(data.bytes).substr(0, data.bytes.size() - 1);
  return text.find('\0') == std::string_view::npos && !hasLineBreak(text);
}

std::string hexList(const RegData& data) {
  std::string text = data.type == REG_BINARY ? "hex:" : "hex(" + hexNumber(data.type) + "):";
  for (std::size_t i = 0; i < data.bytes.size(); ++i) {
    if (i != 0) text.push_back(',');
    text += hexNumber(data.bytes[i], 2);
  }
  return text;
}

std::string dataText(const std::optional<RegData>& data) {
  if (!data) return "-";
  if (isPlainText(*data)) {
    return quoted(asText(data->bytes).substr(0, data->bytes.size() - 1));
  }
  if (auto number = data->type == REG_DWORD ? dwordOf(data->bytes) : std::nullopt) {
    return "dword:" + hexNumber(*number, 8);
  }
  return hexList(*data);
}

std::string entryLine(const RegEntry& entry) {
  if (hasLineBreak(entry.name)) throw ToolError("a value name with a line break cannot be written to a .reg file");
  return (entry.name.empty() ? std::string("@") : quoted(entry.name)) + "=" + dataText(entry.data);
}

void appendSection(std::string& text, const RegSection& section) {
  if (hasLineBreak(section.keyPath)) throw ToolError("a key name with a line break cannot be written to a .reg file");
  text.append("[").append(section.deletesKey ? "-" : "").append(fullKeyNameOf(section.keyPath)).append("]");
  text.append(LineEnd);
  for (const RegEntry& entry : section.entries) text.append(entryLine(entry)).append(LineEnd);
}

}  // namespace

std::string writeRegFile(const RegFile& sections) {
  std::string text(RegFileHeader);
  text.append(LineEnd).append(LineEnd);
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (i != 0) text.append(LineEnd);
    appendSection(text, sections[i]);
  }
  return text;
}

}  // namespace marovel::reg_tool
