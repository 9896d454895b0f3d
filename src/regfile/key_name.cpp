#include "key_name.h"

#include <algorithm>
#include <string>

#include "ascii_case.h"
#include "reg_file_error.h"

namespace marovel::regfile {
namespace {

std::string_view rootOf(std::string_view fullKeyName) {
  return fullKeyName.substr(0, fullKeyName.find('\\'));
}

}  // namespace

std::string keyPathOf(std::string_view fullKeyName) {
  const std::string_view root = rootOf(fullKeyName);
  if (!equalsIgnoringCase(root, LocalMachineName) && !equalsIgnoringCase(root, "HKLM")) {
    throw RegFileError("only keys under HKEY_LOCAL_MACHINE (HKLM) are supported");
  }
  std::string_view path = fullKeyName.substr(root.size());
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  if (!path.empty()) path.remove_prefix(1);  // the '\' after the root
  if (path.starts_with('\\') || path.find("\\\\") != std::string_view::npos) {
    throw RegFileError("invalid key name (empty component)");
  }
  if (!path.empty() && static_cast<std::size_t>(std::ranges::count(path, '\\')) >= MaxKeyDepth) {
    throw RegFileError("key deeper than " + std::to_string(MaxKeyDepth) + " levels");
  }
  return std::string(path);
}

std::string fullKeyNameOf(std::string_view keyPath) {
  std::string name(LocalMachineName);
  if (!keyPath.empty()) name.append("\\").append(keyPath);
  return name;
}

void requireSubkey(std::string_view keyPath) {
  if (keyPath.empty()) throw RegFileError("HKEY_LOCAL_MACHINE itself cannot be changed; name a key below it");
}

}  // namespace marovel::regfile
