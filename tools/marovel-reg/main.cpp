// marovel-reg: the stand-in registry's reg.exe.
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "commands.h"
#include "standin_store.h"

int main(int argc, char** argv) {
  // A file-size limit then fails the write with an error the tool reports, instead of killing it.
  std::signal(SIGXFSZ, SIG_IGN);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return marovel::reg_tool::runTool(args, marovel::standin::storePath(), std::cout, std::cerr);
}
