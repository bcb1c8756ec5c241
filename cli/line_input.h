// The lines of a byte stream, read in blocks of whatever the stream has at
// hand, so a pipelined client is served without a system call per line and an
// interactive one without waiting for a full block.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <streambuf>
#include <string_view>

namespace zs::cli {

class LineInput {
 public:
  enum class Status { Line, TooLong, End };

  // `waiting` runs whenever the reader is about to wait for input that has not
  // arrived yet: the moment to flush answers written so far.
  LineInput(std::streambuf& in, std::size_t maxLine, std::function<void()> waiting);

  // The next line, without its '\n' and a '\r' before it; `line` stays valid
  // until the next call. A line of more than `maxLine` bytes is read to its
  // end and dropped (TooLong); a last line without '\n' still counts.
  Status next(std::string_view& line);

 private:
  // Appends what the stream has at hand, waiting for at least one byte;
  // false at the end of input.
  bool fill();

  std::streambuf& in_;
  std::size_t maxLine_;
  std::function<void()> waiting_;
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_ = 0;
  std::size_t begin_ = 0;  // first byte not yet handed out
  std::size_t end_ = 0;    // end of the bytes read
};

}  // namespace zs::cli
