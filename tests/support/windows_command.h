// Windows only: runs a command line (reg.exe, say) as a child process and waits for it, and
// looks after the keys that tests of the real registry change.
#pragma once

#include <windows.h>

#include <string>

namespace marovel::testing {

// Its exit code, or -1 when it cannot start.
int runCommand(std::wstring commandLine);

// Throws unless this runs under Wine, so that no real machine's keys are ever touched; `what`
// names what the test replaces.
void requireWine(const std::string& what);

// Deletes the key below HKEY_LOCAL_MACHINE with everything below it, in the view
// (KEY_WOW64_32KEY or KEY_WOW64_64KEY); ERROR_FILE_NOT_FOUND when it is missing.
LONG deleteKeyTree(const std::string& keyPath, REGSAM view);

}  // namespace marovel::testing
