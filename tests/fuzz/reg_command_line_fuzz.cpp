// Any arguments for marovel-reg (NUL-separated in the input): a bad command line is a ToolError
// and nothing else, and "/?" after a complete command line asks for the usage.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "command_line.h"
#include "fuzz_check.h"
#include "tool_error.h"

using namespace marovel;

namespace {

std::vector<std::string> argumentsOf(std::string_view bytes) {
  std::vector<std::string> args;
  while (!bytes.empty() && args.size() < 16) {
    const auto end = bytes.find('\0');
    args.emplace_back(bytes.substr(0, end));
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
  }
  return args;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args = argumentsOf(fuzz::textOf(data, size));
  reg_tool::Command command;
  try {
    command = reg_tool::parseCommandLine(args);
  } catch (const reg_tool::ToolError&) {
    return 0;
  }
  if (std::holds_alternative<reg_tool::UsageCommand>(command)) return 0;
  args.push_back("/?");
  fuzz::require(std::holds_alternative<reg_tool::UsageCommand>(reg_tool::parseCommandLine(args)),
                "/? after a complete command line asks for the usage");
  return 0;
}
