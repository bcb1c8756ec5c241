#include "cli/line_input.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace zs::cli {
namespace {

// A stream without a buffer of its own: one byte per read.
class ByteAtATime : public std::streambuf {
 public:
  explicit ByteAtATime(std::string text) : text_(std::move(text)) {}

 protected:
  int_type underflow() override {
    return at_ < text_.size() ? traits_type::to_int_type(text_[at_]) : traits_type::eof();
  }
  int_type uflow() override {
    return at_ < text_.size() ? traits_type::to_int_type(text_[at_++]) : traits_type::eof();
  }

 private:
  std::string text_;
  std::size_t at_ = 0;
};

// Every line as the reader hands it out; a dropped line shows as "<too long>".
std::vector<std::string> lines(std::streambuf& in, std::size_t maxLine) {
  LineInput input(in, maxLine, nullptr);
  std::vector<std::string> out;
  std::string_view line;
  for (;;) {
    const auto status = input.next(line);
    if (status == LineInput::Status::End) return out;
    out.push_back(status == LineInput::Status::TooLong ? "<too long>" : std::string(line));
  }
}

TEST(LineInput, SplitsLinesWhateverTheStreamHandsOver) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  };
  const std::string big(200000, 'x');  // across several blocks
  const Case cases[] = {
      {"", {}},
      {"a\nb\n", {"a", "b"}},
      {"a\r\nb", {"a", "b"}},
      {"\n\r\n", {"", ""}},
      {"12345678\n123456789\nok\n", {"12345678", "<too long>", "ok"}},  // at most 8 bytes
      {"123456789", {"<too long>"}},
      {"x\n" + big + "\ny", {"x", "<too long>", "y"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    std::stringbuf buffered(c.text);
    EXPECT_EQ(lines(buffered, 8), c.lines);
    ByteAtATime unbuffered(c.text);
    EXPECT_EQ(lines(unbuffered, 8), c.lines);
  }
  std::stringbuf longLines("x\n" + big + "\n" + big + "y\n");
  EXPECT_EQ(lines(longLines, big.size()), (std::vector<std::string>{"x", big, "<too long>"}));
}

}  // namespace
}  // namespace zs::cli
