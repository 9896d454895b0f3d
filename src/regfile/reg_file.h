// The content of a REGEDIT4 file: sections that create (or delete) a key, each with the values
// it writes (or deletes). Key paths, names and texts are ANSI bytes, as the store holds them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "value_bytes.h"

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

inline constexpr std::string_view RegFileHeader = "REGEDIT4";

}  // namespace marovel::regfile
