// The content of a .reg file: sections that create (or delete) a key, each with the values
// it writes (or deletes). Key paths, names and texts are ANSI bytes, as the store holds them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "value_bytes.h"
#include "win32_registry.h"

namespace marovel::regfile {

struct RegData {
  std::uint32_t type = 0;
  ValueBytes bytes;
  bool operator==(const RegData&) const = default;
};

struct RegEntry {
  std::string name;             // "" is the key's default value, written @
  std::optional<RegData> data;  // none: the value is deleted ("name"=-)
  bool operator==(const RegEntry&) const = default;
};

struct RegSection {
  std::string keyPath;  // below HKEY_LOCAL_MACHINE
  bool deletesKey = false;
  std::vector<RegEntry> entries;
  bool operator==(const RegSection&) const = default;
};

using RegFile = std::vector<RegSection>;

// The types whose data the A functions turn into ANSI text, and a Version 5.00 file holds as UTF-16LE.
inline bool isTextType(std::uint32_t type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

inline constexpr std::string_view RegFileHeader = "REGEDIT4";
// The first line of the form today's regedit exports: UTF-16LE text, text values in UTF-16LE.
inline constexpr std::string_view UnicodeRegFileHeader = "Windows Registry Editor Version 5.00";

}  // namespace marovel::regfile
