// Windows only: runs a command line (reg.exe, say) as a child process and waits for it.
#pragma once

#include <string>

namespace marovel::testing {

// Its exit code, or -1 when it cannot start.
int runCommand(std::wstring commandLine);

}  // namespace marovel::testing
