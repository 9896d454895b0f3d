// Any bytes as a REGEDIT4 file, as `marovel-reg import` reads them: a fault is a RegFileError and
// nothing else; whatever is read writes out and reads back the same.
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "reg_file_error.h"
#include "reg_file_reader.h"
#include "reg_file_writer.h"

using namespace marovel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  regfile::RegFile file;
  try {
    file = regfile::readRegFile(fuzz::textOf(data, size), "fuzz.reg");
  } catch (const regfile::RegFileError&) {
    return 0;
  }
  const std::string written = regfile::writeRegFile(file);
  fuzz::require(regfile::readRegFile(written, "written.reg") == file, "a file read writes back to the same");
  return 0;
}
