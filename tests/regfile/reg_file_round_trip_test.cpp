// Whatever the store may hold comes back byte for byte from a written file, in either form: a
// property over generated files, with a fixed seed so that a failure repeats.
#include <gtest/gtest.h>

#include <random>

#include "reg_file_reader.h"
#include "reg_file_writer.h"

namespace marovel::regfile {
namespace {

class FileGenerator {
 public:
  explicit FileGenerator(unsigned seed) : random_(seed) {}

  RegFile file() {
    RegFile sections(below(4));
    for (RegSection& section : sections) section = this->section();
    return sections;
  }

 private:
  std::size_t below(std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_); }
  char byteIn(std::string_view choices) { return choices[below(choices.size())]; }
  char anyByte() { return static_cast<char>(below(256)); }

  // Any bytes but the excluded ones: line breaks and NUL, which no name can hold, and in key names
  // also the '\' between them.
  std::string name(std::size_t maxLength, std::string_view excluded) {
    std::string text;
    while (text.size() < maxLength) {
      const char c = anyByte();
      if (excluded.find(c) == std::string_view::npos) text.push_back(c);
    }
    return text.substr(0, below(maxLength + 1));
  }

  std::string keyPath() {
    constexpr std::string_view excluded("\r\n\\\0", 4);
    std::string path = name(6, excluded) + "k";
    for (std::size_t depth = below(3); depth > 0; --depth) path += "\\" + name(6, excluded) + "k";
    return path;
  }

  // Text as administrators write it half of the time, so that quoted strings occur. A text ends
  // in a NUL unless empty: one without comes back with one, as Windows imports it.
  ValueBytes data(std::uint32_t type) {
    ValueBytes bytes(below(12));
    const bool plain = below(2) == 0;
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(plain ? byteIn("aZ 9\"\\%\xE4\x80\xFC") : anyByte());
    if (isTextType(type) && (plain || (!bytes.empty() && bytes.back() != 0))) bytes.push_back(0);
    return bytes;
  }

  RegEntry entry() {
    constexpr std::uint32_t types[] = {REG_NONE, REG_SZ,       REG_EXPAND_SZ, REG_BINARY, REG_DWORD,
                                       5,        REG_MULTI_SZ, REG_QWORD,     0x12345678};
    RegEntry entry{below(5) == 0 ? "" : name(8, std::string_view("\r\n\0", 3)), std::nullopt};
    if (below(8) == 0) return entry;
    const std::uint32_t type = types[below(std::size(types))];
    entry.data = RegData{type, data(type)};
    return entry;
  }

  RegSection section() {
    RegSection section{keyPath(), below(6) == 0, {}};
    if (!section.deletesKey) section.entries.resize(below(5));
    for (RegEntry& entry : section.entries) entry = this->entry();
    return section;
  }

  std::mt19937 random_;
};

TEST(RegFileRoundTrip, EveryGeneratedFileReadsBackAsWrittenInBothForms) {
  FileGenerator generator(20240513);
  for (int i = 0; i < 300; ++i) {
    const RegFile file = generator.file();
    ASSERT_EQ(readRegFile(writeRegFile(file), "regedit4.reg"), file) << "file " << i;
    ASSERT_EQ(readRegFile(writeUnicodeRegFile(file), "unicode.reg"), file) << "file " << i;
  }
}

}  // namespace
}  // namespace marovel::regfile
