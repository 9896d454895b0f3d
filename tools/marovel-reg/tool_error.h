// A failure the tool reports as one line on stderr, with exit code 1.
#pragma once

#include <stdexcept>

namespace marovel::reg_tool {

class ToolError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace marovel::reg_tool
