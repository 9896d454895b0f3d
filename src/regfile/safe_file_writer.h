// The one way every saver writes a file: all of it or nothing. The bytes go to a temporary file
// beside the target, which is flushed to disk and only then renamed over the target; on any
// failure the temporary file is removed and an existing target stays byte for byte.
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

// The name is taken literally, never as a pattern. Throws FileWriteError.
void writeFileSafely(const std::filesystem::path& target, std::string_view bytes);

}  // namespace marovel::regfile
