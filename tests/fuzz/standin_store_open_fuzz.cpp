// Any bytes as the stand-in's store file, opened the ways the tools open it: reading, listing it
// as `marovel-reg query /s` does, and writing. Nothing may crash or hang, and a file the store
// refuses (a damaged or foreign one) is never written to.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "commands.h"
#include "fuzz_check.h"
#include "standin_store.h"
#include "tool_error.h"
#include "win32_registry.h"

using namespace marovel;
using standin::Session;
using standin::StoreError;

namespace {

const std::filesystem::path& storeFolder() {
  static const std::filesystem::path folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "marovel-fuzz-XXXXXX").string();
    fuzz::require(mkdtemp(pattern.data()) != nullptr, "a folder for the store");
    return std::filesystem::path(pattern);
  }();
  return folder;
}

std::string storePath() { return (storeFolder() / "registry.sqlite3").string(); }

std::string bytesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void putStore(std::string_view bytes) {
  std::filesystem::remove_all(storeFolder());
  std::filesystem::create_directory(storeFolder());
  std::ofstream(storePath(), std::ios::binary) << bytes;
  setenv("MAROVEL_REGISTRY", storePath().c_str(), 1);
}

// Runs one use of the store, which gives the registry's result or throws; when the store refuses
// the file, its bytes must be as before.
template <class Use>
void useOrBeRefused(Use&& use) {
  const std::string before = bytesOf(storePath());
  LONG result = ERROR_SUCCESS;
  try {
    result = use();
  } catch (const StoreError& error) {
    result = error.code();
  } catch (const reg_tool::ToolError&) {
  }
  if (result == ERROR_BADDB) fuzz::require(bytesOf(storePath()) == before, "a refused file stays as it was");
}

LONG listEverything() {
  std::ostringstream listing;
  reg_tool::runCommand(reg_tool::QueryCommand{"", std::nullopt, true}, storePath(), listing);
  return ERROR_SUCCESS;
}

LONG writeOneValue() {
  Session session(storePath(), Session::Mode::Write);
  session.createKey("Software\\Fuzz");
  const std::uint8_t data[] = {1, 2, 3, 4};
  session.setValue("Software\\Fuzz", "value", REG_DWORD, data);
  session.commit();
  return ERROR_SUCCESS;
}

// The registry functions give a refusal as their result, not as an exception.
LONG readThroughTheRegistryFunctions() {
  HKEY key = nullptr;
  const LONG opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Qorvi\\Agent", 0, KEY_READ, &key);
  if (opened != ERROR_SUCCESS) return opened;
  DWORD size = 0;
  const LONG queried = RegQueryValueExA(key, "szEmailAddress", nullptr, nullptr, nullptr, &size);
  RegCloseKey(key);
  return queried;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  putStore(fuzz::textOf(data, size));
  useOrBeRefused(listEverything);
  useOrBeRefused(readThroughTheRegistryFunctions);
  useOrBeRefused(writeOneValue);
  return 0;
}
