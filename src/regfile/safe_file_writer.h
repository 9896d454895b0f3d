// The one way every saver writes a file: all of it or nothing. The bytes go to a temporary file
// beside the target, which is flushed to disk and only then renamed over the target; on any
// failure the temporary file is removed and an existing target stays byte for byte. A name that
// is no file to replace (a FIFO, a device) is written into instead, or refused.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace marovel::regfile {

// What went wrong, with the target's name: one line.
class FileWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The name is taken literally, never as a pattern. Throws FileWriteError. What it does with each
// kind of name is in the README ("Writing a file").
void writeFileSafely(const std::filesystem::path& target, std::string_view bytes);

// Whether the name is a place the bytes are written into rather than a file they replace: a FIFO,
// a device, or an open descriptor's name such as /dev/stdout.
bool isPlaceToWriteInto(const std::filesystem::path& target);

}  // namespace marovel::regfile
