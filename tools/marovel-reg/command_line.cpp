#include "command_line.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <string_view>

#include "ansi_codepage.h"
#include "ascii_case.h"
#include "key_name.h"
#include "reg_file_error.h"
#include "tool_error.h"
#include "win32_registry.h"

namespace marovel::reg_tool {
namespace {

using regfile::lowerCase;

struct Syntax {
  std::string_view command;
  std::vector<std::string_view> positionals;  // their names, for messages
  std::vector<std::string_view> flags;
  std::vector<std::string_view> valued;  // options followed by a value
};

const std::vector<Syntax>& syntaxes() {
  static const std::vector<Syntax> all = {
      {"query", {"KEY"}, {"/ve", "/s"}, {"/v"}},
      {"add", {"KEY"}, {"/ve", "/f"}, {"/v", "/t", "/d"}},
      {"delete", {"KEY"}, {"/ve", "/f"}, {"/v"}},
      {"import", {"FILE"}, {}, {}},
      {"export", {"KEY", "FILE"}, {"/y", "/unicode"}, {}},
  };
  return all;
}

// reg.exe's choice of the 32- or 64-bit view, which every command takes; the stand-in has one view.
const std::vector<std::string_view> ViewOptions = {"/reg:32", "/reg:64"};

bool contains(const std::vector<std::string_view>& names, std::string_view name) {
  return std::ranges::find(names, name) != names.end();
}

// '/' and letters only, or a view option; other arguments starting with '/' are file paths.
bool isOption(std::string_view arg) {
  if (lowerCase(std::string(arg.substr(0, 5))) == "/reg:") return true;
  return arg.size() >= 2 && arg[0] == '/' &&
         std::all_of(arg.begin() + 1, arg.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
}

// "/?" asks for the usage where an option may stand, not as the value of one.
bool asksForUsage(const std::vector<std::string>& args, const Syntax& syntax) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "/?") return true;
    if (isOption(args[i]) && contains(syntax.valued, lowerCase(args[i]))) ++i;
  }
  return false;
}

struct Arguments {
  std::vector<std::string> positionals;
  std::map<std::string, std::string, std::less<>> options;  // lower-case option -> value, "" for a flag

  bool has(std::string_view option) const { return options.contains(option); }
  std::optional<std::string> value(std::string_view option) const {
    auto found = options.find(option);
    return found == options.end() ? std::nullopt : std::optional(found->second);
  }
};

Arguments split(const std::vector<std::string>& args, const Syntax& syntax) {
  Arguments arguments;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (!isOption(args[i])) {
      arguments.positionals.push_back(args[i]);
      continue;
    }
    const std::string option = lowerCase(args[i]);
    std::string value;
    if (contains(syntax.valued, option)) {
      if (i + 1 == args.size()) throw ToolError("option " + args[i] + " needs a value");
      value = args[++i];
    } else if (!contains(syntax.flags, option) && !contains(ViewOptions, option)) {
      throw ToolError("unknown option " + args[i] + " for " + std::string(syntax.command));
    }
    if (!arguments.options.emplace(option, value).second) throw ToolError("option " + args[i] + " given twice");
  }
  const auto& wanted = syntax.positionals;
  if (arguments.positionals.size() < wanted.size()) {
    throw ToolError(std::string(syntax.command) + " needs " + std::string(wanted[arguments.positionals.size()]));
  }
  if (arguments.positionals.size() > wanted.size()) {
    throw ToolError("unexpected argument " + arguments.positionals[wanted.size()]);
  }
  if (arguments.has(ViewOptions[0]) && arguments.has(ViewOptions[1])) {
    throw ToolError("/reg:32 and /reg:64 exclude each other");
  }
  return arguments;
}

std::string ansi(const std::string& text, std::string_view what) {
  auto converted = registry::utf8ToAnsi(text);
  if (!converted) throw ToolError(std::string(what) + " has a character outside Windows-1252: " + text);
  return *converted;
}

std::string keyPathArgument(const std::string& arg) {
  try {
    return ansi(regfile::keyPathOf(arg), "the key name");
  } catch (const std::runtime_error& error) {
    throw ToolError(std::string(error.what()) + ": " + arg);
  }
}

// The root itself may not be changed.
void subkeyRequired(const std::string& keyPath) {
  try {
    regfile::requireSubkey(keyPath);
  } catch (const regfile::RegFileError& error) {
    throw ToolError(error.what());
  }
}

std::optional<std::string> valueNameOption(const Arguments& arguments) {
  auto name = arguments.value("/v");
  if (name && arguments.has("/ve")) throw ToolError("/v and /ve exclude each other");
  if (arguments.has("/ve")) return "";
  if (name) return ansi(*name, "the value name");
  return std::nullopt;
}

QueryCommand queryCommand(const Arguments& arguments) {
  return {keyPathArgument(arguments.positionals[0]), valueNameOption(arguments), arguments.has("/s")};
}

AddCommand addCommand(const Arguments& arguments) {
  AddCommand command{keyPathArgument(arguments.positionals[0]), valueNameOption(arguments), REG_SZ, {},
                     arguments.has("/f")};
  subkeyRequired(command.keyPath);
  if (!command.valueName) {
    if (arguments.has("/t") || arguments.has("/d")) throw ToolError("/t and /d need /v NAME or /ve");
    return command;
  }
  if (auto type = arguments.value("/t")) command.type = writableTypeNamed(*type);
  command.data = valueBytesFromText(command.type, ansi(arguments.value("/d").value_or(""), "the data"));
  return command;
}

DeleteCommand deleteCommand(const Arguments& arguments) {
  DeleteCommand command{keyPathArgument(arguments.positionals[0]), valueNameOption(arguments)};
  subkeyRequired(command.keyPath);
  if (!arguments.has("/f")) throw ToolError("delete needs /f (there is no prompt to confirm it)");
  return command;
}

ExportCommand exportCommand(const Arguments& arguments) {
  return {keyPathArgument(arguments.positionals[0]), arguments.positionals[1], arguments.has("/y"),
          arguments.has("/unicode")};
}

// reg.exe's help switches: /? /h -? -h.
bool isHelpSwitch(std::string_view arg) {
  return arg.size() == 2 && (arg[0] == '/' || arg[0] == '-') && (arg[1] == '?' || arg[1] == 'h' || arg[1] == 'H');
}

}  // namespace

Command parseCommandLine(const std::vector<std::string>& args) {
  if (args.size() == 2 && lowerCase(args[0]) == "import" && isHelpSwitch(args[1])) return UsageCommand{"import"};
  if (args.empty() || args[0] == "/?") return UsageCommand{};
  const std::string name = lowerCase(args[0]);
  auto syntax = std::ranges::find(syntaxes(), name, &Syntax::command);
  if (syntax == syntaxes().end()) throw ToolError("unknown command " + args[0] + " (try /?)");
  if (asksForUsage(args, *syntax)) return UsageCommand{};
  const Arguments arguments = split(args, *syntax);
  if (name == "query") return queryCommand(arguments);
  if (name == "add") return addCommand(arguments);
  if (name == "delete") return deleteCommand(arguments);
  if (name == "import") return ImportCommand{arguments.positionals[0]};
  return exportCommand(arguments);
}

std::string usageText() {
  return "Usage: marovel-reg COMMAND ARGUMENTS [/reg:32 | /reg:64]\n"
         "  query  KEY [/v NAME | /ve] [/s]\n"
         "  add    KEY [/v NAME | /ve] [/t TYPE] [/d DATA] [/f]\n"
         "  delete KEY [/v NAME | /ve] /f\n"
         "  import FILE.reg\n"
         "  export KEY FILE.reg [/y] [/unicode]\n"
         "KEY is HKEY_LOCAL_MACHINE\\PATH or HKLM\\PATH. /ve names the default value, /s lists the\n"
         "subtree, /f overwrites a value (add) or confirms (delete), /y overwrites the file (export).\n"
         "TYPE is REG_SZ (the default), REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD, REG_QWORD or REG_BINARY.\n"
         "REG_MULTI_SZ data separates its strings by \\0 (a\\0b), REG_DWORD and REG_QWORD data is\n"
         "decimal or 0x-hex, REG_BINARY data hex pairs (0A1B).\n"
         "import reads REGEDIT4 files (Windows-1252) and Windows Registry Editor Version 5.00 files\n"
         "(UTF-16LE or UTF-8); a file with a line Windows would skip is refused whole (import /? tells\n"
         "more). export writes REGEDIT4, or Version 5.00 in UTF-16LE with /unicode.\n"
         "/reg:32 and /reg:64 are accepted by every command and change nothing: the stand-in has one view.\n"
         "The store is the file MAROVEL_REGISTRY names.\n";
}

std::string importHelpText() {
  return "Usage: marovel-reg import FILE.reg [/reg:32 | /reg:64]\n"
         "  Imports FILE.reg into the store MAROVEL_REGISTRY names, as reg.exe import does: a REGEDIT4\n"
         "  file (Windows-1252) or a Windows Registry Editor Version 5.00 file (UTF-16LE, or UTF-8).\n"
         "  The whole file is read before anything changes. Where Windows's importer would skip a line it\n"
         "  cannot read and import the rest, marovel-reg refuses the whole file, names that line and\n"
         "  changes nothing: a setting silently left out would look like success.\n"
         "  /reg:32, /reg:64  accepted as reg.exe takes them; they change nothing (the stand-in has one view).\n"
         "Example:\n"
         "  marovel-reg import qorvi.reg\n";
}

}  // namespace marovel::reg_tool
