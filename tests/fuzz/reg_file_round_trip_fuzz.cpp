// Whatever sections writeRegFile accepts, readRegFile reads back to the same keys and values (a text
// without its NUL gaining one).
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "reg_file_error.h"
#include "reg_file_reader.h"
#include "reg_file_writer.h"

using namespace marovel;
using regfile::RegData;
using regfile::RegEntry;
using regfile::RegSection;

namespace {

constexpr std::array<std::uint32_t, 6> kCommonTypes{0, 1, 2, 3, 4, 7};

std::uint32_t typeFrom(FuzzedDataProvider& input) {
  if (input.ConsumeBool()) return input.ConsumeIntegral<std::uint32_t>();
  return input.PickValueInArray(kCommonTypes);
}

RegEntry entryFrom(FuzzedDataProvider& input) {
  RegEntry entry{input.ConsumeRandomLengthString(24), std::nullopt};
  if (input.ConsumeBool()) {
    const std::uint32_t type = typeFrom(input);
    const std::string bytes = input.ConsumeRandomLengthString(40);
    entry.data = RegData{type, regfile::ValueBytes(bytes.begin(), bytes.end())};
  }
  return entry;
}

RegSection sectionFrom(FuzzedDataProvider& input) {
  RegSection section{input.ConsumeRandomLengthString(40), input.ConsumeBool(), {}};
  for (int count = input.ConsumeIntegralInRange(0, 4); count > 0; --count) section.entries.push_back(entryFrom(input));
  return section;
}

// A text written without its terminating NUL is read back with one, as Windows imports it.
regfile::RegFile asImported(regfile::RegFile file) {
  for (RegSection& section : file) {
    for (RegEntry& entry : section.entries) {
      auto& data = entry.data;
      if (data && regfile::isTextType(data->type) && !data->bytes.empty() && data->bytes.back() != 0) {
        data->bytes.push_back(0);
      }
    }
  }
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const regfile::RegFileStyle style{input.ConsumeBool(), input.ConsumeBool()};
  regfile::RegFile file;
  for (int count = input.ConsumeIntegralInRange(0, 4); count > 0; --count) file.push_back(sectionFrom(input));
  std::string written;
  try {
    written = regfile::writeRegFile(file, style);
  } catch (const regfile::RegFileError&) {
    return 0;  // refused: nothing to read back
  }
  regfile::RegFile read;
  try {
    read = regfile::readRegFile(written, "written.reg");
  } catch (const regfile::RegFileError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    fuzz::require(false, "the reader reads what the writer wrote");
  }
  fuzz::require(read == asImported(file), "the reader reads back the same keys and values");
  return 0;
}
