#include "key_names.h"

#include "standin_store.h"

namespace marovel::standin {
namespace {

unsigned char upperCaseOf(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
  // à..þ except the division sign map to À..Þ.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
  switch (c) {
    case 0x9A: return 0x8A;  // š
    case 0x9C: return 0x8C;  // œ
    case 0x9E: return 0x8E;  // ž
    case 0xFF: return 0x9F;  // ÿ
    default: return c;
  }
}

}  // namespace

std::string foldedName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = static_cast<char>(upperCaseOf(static_cast<unsigned char>(c)));
  return folded;
}

std::vector<std::string_view> keyPathComponents(std::string_view path) {
  if (!path.empty() && path.front() == '\\') throw StoreError(ERROR_BAD_PATHNAME, "key path starts with '\\'");
  std::vector<std::string_view> components;
  while (!path.empty()) {
    auto separator = path.find('\\');
    auto component = path.substr(0, separator);
    // Like the registry, a run of separators counts as one.
    if (!component.empty()) {
      if (component.size() > kMaxKeyNameLength) throw StoreError(ERROR_INVALID_PARAMETER, "key name too long");
      components.push_back(component);
    }
    if (separator == std::string_view::npos) break;
    path.remove_prefix(separator + 1);
  }
  return components;
}

}  // namespace marovel::standin
