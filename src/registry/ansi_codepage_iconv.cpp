#include <iconv.h>

#include <cerrno>
#include <memory>

#include "ansi_codepage.h"

namespace marovel::registry {
namespace {

// Windows-1252 leaves these five bytes undefined; Windows maps each to the C1 control of the same number.
bool isUndefinedCp1252Byte(unsigned char byte) {
  return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

struct IconvCloser {
  void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

IconvHandle openConverter(const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  return IconvHandle(cd == reinterpret_cast<iconv_t>(-1) ? nullptr : cd);
}

// Opening a converter costs more than a short conversion: each thread keeps one per direction,
// set back to its initial state for each conversion.
iconv_t readied(const IconvHandle& cd) {
  if (cd) iconv(static_cast<iconv_t>(cd.get()), nullptr, nullptr, nullptr, nullptr);
  return static_cast<iconv_t>(cd.get());
}

iconv_t toAnsi() {
  thread_local const IconvHandle cd = openConverter("WINDOWS-1252", "UTF-8");
  return readied(cd);
}

iconv_t toUtf8() {
  thread_local const IconvHandle cd = openConverter("UTF-8", "WINDOWS-1252");
  return readied(cd);
}

// Converts as much as iconv can; returns false at the first sequence it cannot take, leaving
// in/inLeft on it.
bool convertRun(iconv_t cd, char*& in, size_t& inLeft, std::string& out) {
  char buffer[256];
  while (inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> utf8ToAnsi(std::string_view utf8) {
  iconv_t cd = toAnsi();
  if (cd == nullptr) return std::nullopt;
  std::string input(utf8);
  std::string out;
  char* in = input.data();
  size_t inLeft = input.size();
  while (!convertRun(cd, in, inLeft, out)) {
    // U+0081 and its kin stand for the undefined bytes: two UTF-8 bytes C2 xx.
    auto lead = static_cast<unsigned char>(in[0]);
    auto next = inLeft > 1 ? static_cast<unsigned char>(in[1]) : 0;
    if (lead != 0xC2 || !isUndefinedCp1252Byte(next)) return std::nullopt;
    out.push_back(static_cast<char>(next));
    in += 2;
    inLeft -= 2;
  }
  return out;
}

std::string ansiToUtf8(std::string_view ansi) {
  iconv_t cd = toUtf8();
  std::string input(ansi);
  std::string out;
  char* in = input.data();
  size_t inLeft = input.size();
  while (cd == nullptr || !convertRun(cd, in, inLeft, out)) {
    if (inLeft == 0) break;
    // Only the undefined bytes stop the converter; they become U+0080..U+009F.
    auto byte = static_cast<unsigned char>(in[0]);
    out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
    out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
    ++in;
    --inLeft;
  }
  return out;
}

}  // namespace marovel::registry
