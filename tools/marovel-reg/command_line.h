// The command line, in reg.exe's conventions: a command, its positional arguments, and
// options written /x (any letter case). Key paths, value names and texts come out as ANSI bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "value_data.h"

namespace marovel::reg_tool {

struct UsageCommand {
  std::string command;  // the command whose help is asked for; "" for the list of commands
  bool operator==(const UsageCommand&) const = default;
};

struct QueryCommand {
  std::string keyPath;
  std::optional<std::string> valueName;  // "" for /ve
  bool recursive = false;
  bool operator==(const QueryCommand&) const = default;
};

struct AddCommand {
  std::string keyPath;
  std::optional<std::string> valueName;  // none: only the key is created
  std::uint32_t type = 0;
  ValueBytes data;
  bool overwrite = false;
  bool operator==(const AddCommand&) const = default;
};

struct DeleteCommand {
  std::string keyPath;
  std::optional<std::string> valueName;  // none: the key with its subtree
  bool operator==(const DeleteCommand&) const = default;
};

struct ImportCommand {
  std::string fileName;
  bool operator==(const ImportCommand&) const = default;
};

struct ExportCommand {
  std::string keyPath;
  std::string fileName;
  bool overwrite = false;
  bool unicode = false;  // Version 5.00 in UTF-16LE rather than REGEDIT4
  bool operator==(const ExportCommand&) const = default;
};

using Command = std::variant<UsageCommand, QueryCommand, AddCommand, DeleteCommand, ImportCommand, ExportCommand>;

// The arguments after the program name (UTF-8). No arguments, or /? where an option may stand
// (not as an option's value), asks for the usage; "import" followed by /?, /h or -h alone (in any
// letter case), as reg.exe takes it, for the import help. /reg:32 and /reg:64 are taken by every
// command and change nothing.
// Throws ToolError for an unknown command or option, a missing or surplus argument, or data
// the command cannot take.
Command parseCommandLine(const std::vector<std::string>& args);

std::string usageText();
std::string importHelpText();

}  // namespace marovel::reg_tool
