// Full key names as administrators write them: a root name (HKEY_LOCAL_MACHINE or HKLM, in
// any letter case), then '\' and the path below it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace marovel::regfile {

inline constexpr std::string_view LocalMachineName = "HKEY_LOCAL_MACHINE";
// How many levels below the root a key may lie, as in Windows's registry.
inline constexpr std::size_t MaxKeyDepth = 512;

// The path below HKEY_LOCAL_MACHINE ("" for the root itself); trailing '\' are dropped.
// Throws RegFileError, without the name, for another root, an empty path component or a key
// deeper than MaxKeyDepth.
std::string keyPathOf(std::string_view fullKeyName);

// "HKEY_LOCAL_MACHINE" followed by '\' and the path, when there is one.
std::string fullKeyNameOf(std::string_view keyPath);

// Changes on HKEY_LOCAL_MACHINE itself are refused; throws RegFileError for the root.
void requireSubkey(std::string_view keyPath);

}  // namespace marovel::regfile
