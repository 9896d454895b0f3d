// The commands on the stand-in store.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "command_line.h"

namespace marovel::reg_tool {

// Runs the command on the store at storePath. Every change a command makes is one transaction:
// a failure part-way leaves the store as it was. Throws ToolError or standin::StoreError.
void runCommand(const Command& command, const std::string& storePath, std::ostream& out);

// The whole tool: parses args (without the program name), runs the command, and reports a
// failure as one line "marovel-reg: …" on err. Returns the exit code, 0 or 1.
int runTool(const std::vector<std::string>& args, const std::string& storePath, std::ostream& out,
            std::ostream& err);

}  // namespace marovel::reg_tool
