// The lines of a .reg file as Windows's importer reads them, one after another: a hex value
// continued with '\' takes the lines after its own, so the reader and the value grammar share one
// cursor. A fault is named by the line the cursor stands on.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace marovel::regfile {

// A fault in the current line; the reader adds the file, the line number and the line.
struct LineFault {
  std::string what;
};

// The text split at CR LF, a lone CR or a lone LF, as Windows splits it.
std::vector<std::string_view> linesOf(std::string_view text);

class LineCursor {
 public:
  explicit LineCursor(std::vector<std::string_view> lines) : lines_(std::move(lines)) {}

  bool atEnd() const { return next_ == lines_.size(); }
  // The next line; throws LineFault for a NUL in it, which ends Windows's reading of the line.
  std::string_view next();
  std::string_view current() const { return next_ == 0 ? std::string_view() : lines_[next_ - 1]; }
  std::size_t currentNumber() const { return next_; }  // 1 for the first line
  std::vector<std::string_view> rest() const { return {lines_.begin() + next_, lines_.end()}; }

 private:
  std::vector<std::string_view> lines_;
  std::size_t next_ = 0;
};

}  // namespace marovel::regfile
