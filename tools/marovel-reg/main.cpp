#include <iostream>
#include <string>
#include <vector>

#include "commands.h"
#include "standin_store.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return marovel::reg_tool::runTool(args, marovel::standin::storePath(), std::cout, std::cerr);
}
