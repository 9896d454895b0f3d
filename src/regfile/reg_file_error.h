// A REGEDIT4 text or a key name that cannot be read or written; the text says why.
#pragma once

#include <stdexcept>

namespace marovel::regfile {

class RegFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace marovel::regfile
