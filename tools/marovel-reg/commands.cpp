#include "commands.h"

#include <filesystem>

#include "ansi_codepage.h"
#include "file_io.h"
#include "key_name.h"
#include "key_names.h"
#include "query_output.h"
#include "reg_file_reader.h"
#include "reg_file_writer.h"
#include "safe_file_writer.h"
#include "standin_store.h"
#include "tool_error.h"

namespace marovel::reg_tool {
namespace {

using regfile::RegEntry;
using regfile::RegFile;
using regfile::RegSection;
using regfile::RegData;
using standin::Session;
using standin::StoredValue;

constexpr std::string_view Done = "The operation completed successfully.\n";

[[noreturn]] void notFound() { throw ToolError("unable to find the specified registry key or value"); }

std::string existingKey(Session& session, const std::string& keyPath) {
  auto stored = session.storedKeyPath(keyPath);
  if (!stored) notFound();
  return *stored;
}

std::optional<StoredValue> valueNamed(std::vector<StoredValue> values, const std::string& name) {
  // Matched as the store matches names, Windows-1252 letters included.
  const std::string folded = standin::foldedName(name);
  for (StoredValue& value : values) {
    if (standin::foldedName(value.name) == folded) return std::move(value);
  }
  return std::nullopt;
}

void run(const QueryCommand& command, const std::string& storePath, std::ostream& out) {
  Session session(storePath, Session::Mode::Read);
  const std::string keyPath = existingKey(session, command.keyPath);
  if (!command.valueName) {
    if (!command.recursive) {
      out << keyBlock(keyPath, session.values(keyPath)) << subkeyList(keyPath, session.subkeys(keyPath));
      return;
    }
    session.forEachKeyBelow(keyPath, [&](const std::string& path, std::vector<StoredValue> values) {
      out << keyBlock(path, values);
    });
    return;
  }
  bool found = false;
  auto showValue = [&](const std::string& path, std::vector<StoredValue> values) {
    if (auto value = valueNamed(std::move(values), *command.valueName)) {
      out << keyBlock(path, {*value});
      found = true;
    }
  };
  if (command.recursive) {
    session.forEachKeyBelow(keyPath, showValue);
  } else {
    showValue(keyPath, session.values(keyPath));
  }
  if (!found) notFound();
}

void run(const AddCommand& command, const std::string& storePath, std::ostream& out) {
  Session session(storePath, Session::Mode::Write);
  session.createKey(command.keyPath);
  if (command.valueName) {
    if (!command.overwrite && valueNamed(session.values(command.keyPath), *command.valueName)) {
      throw ToolError("the value " + registry::ansiToUtf8(*command.valueName) + " exists already; /f overwrites it");
    }
    session.setValue(command.keyPath, *command.valueName, command.type, command.data);
  }
  session.commit();
  out << Done;
}

void run(const DeleteCommand& command, const std::string& storePath, std::ostream& out) {
  Session session(storePath, Session::Mode::Write);
  const bool deleted = command.valueName ? session.deleteValue(command.keyPath, *command.valueName)
                                         : session.deleteKey(command.keyPath);
  if (!deleted) notFound();
  session.commit();
  out << Done;
}

void apply(Session& session, const RegSection& section) {
  if (section.deletesKey) {
    session.deleteKey(section.keyPath);
    return;
  }
  session.createKey(section.keyPath);
  for (const RegEntry& entry : section.entries) {
    if (entry.data) {
      session.setValue(section.keyPath, entry.name, entry.data->type, entry.data->bytes);
    } else {
      session.deleteValue(section.keyPath, entry.name);
    }
  }
}

void run(const ImportCommand& command, const std::string& storePath, std::ostream& out) {
  // The whole file is read before anything changes.
  const RegFile file = regfile::readRegFile(readWholeFile(command.fileName), command.fileName);
  Session session(storePath, Session::Mode::Write);
  for (const RegSection& section : file) apply(session, section);
  session.commit();
  out << Done;
}

RegSection sectionOf(const std::string& keyPath, std::vector<StoredValue> values) {
  RegSection section{keyPath, false, {}};
  for (StoredValue& value : values) {
    section.entries.push_back({std::move(value.name), RegData{value.type, std::move(value.data)}});
  }
  return section;
}

void run(const ExportCommand& command, const std::string& storePath, std::ostream& out) {
  RegFile file;
  {
    Session session(storePath, Session::Mode::Read);
    session.forEachKeyBelow(existingKey(session, command.keyPath),
                            [&](const std::string& path, std::vector<StoredValue> values) {
                              file.push_back(sectionOf(path, std::move(values)));
                            });
  }
  const std::string text = command.unicode ? regfile::writeUnicodeRegFile(file) : regfile::writeRegFile(file);
  // A FIFO or a device (/dev/stdout) holds no older file to overwrite.
  const bool intoAPlace = regfile::isPlaceToWriteInto(command.fileName);
  if (!command.overwrite && !intoAPlace && std::filesystem::exists(command.fileName)) {
    throw ToolError("the file " + command.fileName + " exists already; /y overwrites it");
  }
  regfile::writeFileSafely(command.fileName, text);
  // Written into /dev/stdout, the confirmation would end up in the file.
  if (!intoAPlace) out << Done;
}

void run(const UsageCommand& command, const std::string&, std::ostream& out) {
  out << (command.command == "import" ? importHelpText() : usageText());
}

}  // namespace

void runCommand(const Command& command, const std::string& storePath, std::ostream& out) {
  std::visit([&](const auto& parsed) { run(parsed, storePath, out); }, command);
}

int runTool(const std::vector<std::string>& args, const std::string& storePath, std::ostream& out,
            std::ostream& err) {
  try {
    runCommand(parseCommandLine(args), storePath, out);
    return 0;
  } catch (const std::exception& error) {
    // ToolError and StoreError alike; their texts say what went wrong.
    err << "marovel-reg: " << error.what() << "\n";
    return 1;
  }
}

}  // namespace marovel::reg_tool
