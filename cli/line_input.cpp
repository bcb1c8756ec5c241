#include "cli/line_input.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace zs::cli {
namespace {

// The least room a read gets; also the first size of the buffer.
constexpr std::size_t kBlock = 64 * 1024;

std::string_view withoutReturn(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

}  // namespace

LineInput::LineInput(std::streambuf& in, std::size_t maxLine, std::function<void()> waiting)
    : in_(in), maxLine_(maxLine), waiting_(std::move(waiting)) {}

LineInput::Status LineInput::next(std::string_view& line) {
  std::size_t searched = 0;  // bytes after begin_ known to hold no '\n'
  bool tooLong = false;
  for (;;) {
    const char* from = buffer_.get() + begin_ + searched;
    const std::size_t left = end_ - begin_ - searched;
    if (const void* found = left ? std::memchr(from, '\n', left) : nullptr) {
      const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(found) - buffer_.get());
      const std::size_t start = begin_;
      begin_ = at + 1;
      if (tooLong || at - start > maxLine_) return Status::TooLong;
      line = withoutReturn(std::string_view(buffer_.get() + start, at - start));
      return Status::Line;
    }
    searched = end_ - begin_;
    if (searched > maxLine_) {
      // Too long already: what was read of it is dropped, the rest skipped.
      tooLong = true;
      begin_ = end_ = searched = 0;
    }
    if (!fill()) {
      if (tooLong) return Status::TooLong;
      if (begin_ == end_) return Status::End;
      line = withoutReturn(std::string_view(buffer_.get() + begin_, end_ - begin_));
      begin_ = end_;
      return Status::Line;
    }
  }
}

bool LineInput::fill() {
  if (capacity_ - end_ < kBlock) {
    const std::size_t kept = end_ - begin_;
    if (begin_ > 0 && capacity_ - kept >= kBlock) {
      std::memmove(buffer_.get(), buffer_.get() + begin_, kept);
    } else {
      // Doubling, but no further than a longest line needs.
      const std::size_t grown =
          std::max(kept + kBlock, std::min(capacity_ * 2, maxLine_ + 2 * kBlock));
      auto bigger = std::make_unique_for_overwrite<char[]>(grown);
      if (kept) std::memcpy(bigger.get(), buffer_.get() + begin_, kept);
      buffer_ = std::move(bigger);
      capacity_ = grown;
    }
    begin_ = 0;
    end_ = kept;
  }
  std::streamsize available = in_.in_avail();
  if (available <= 0) {
    if (waiting_) waiting_();
    if (std::streambuf::traits_type::eq_int_type(in_.sgetc(), std::streambuf::traits_type::eof()))
      return false;
    // A stream without a buffer of its own gives one byte at a time.
    available = std::max<std::streamsize>(in_.in_avail(), 1);
  }
  const auto room = static_cast<std::streamsize>(capacity_ - end_);
  const std::streamsize got = in_.sgetn(buffer_.get() + end_, std::min(available, room));
  end_ += static_cast<std::size_t>(std::max<std::streamsize>(got, 0));
  return got > 0;
}

}  // namespace zs::cli
