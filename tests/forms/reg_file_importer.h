// The agent's registry for a test that imports REGEDIT4 files into it the platform's own way:
// on Windows `reg import FILE /reg:32`, into the 32-bit view where the agent reads; on the
// stand-in `marovel-reg import`.
#pragma once

#include <string>

#include "temp_registry.h"

namespace marovel::testing {

class RegFileImporter {
 public:
  // Deletes HKEY_LOCAL_MACHINE\Software\Qorvi with everything below it.
  void removeAgentTree() { registry_.clear(); }
  // The importer's exit code.
  int importFile(const std::string& path);

 private:
  TempRegistry registry_;  // under Wine only, or a store of the test's own
};

}  // namespace marovel::testing
