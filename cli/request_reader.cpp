#include "core/ascii.h"
#include "cli/request_reader.h"

#include <charconv>
#include <limits>

#include "core/error.h"

namespace zs::cli {
namespace {

using nlohmann::json;

constexpr std::string_view kFieldNames[kFieldCount] = {
    "op", "class", "predeclared", "handle", "member", "dispid", "kind", "count", "args"};

// The fields of one argument object.
constexpr std::string_view kArgumentFields[] = {"type", "value", "byref", "missing", "handle"};

std::optional<Field> fieldNamed(std::string_view name) {
  for (std::size_t i = 0; i < kFieldCount; ++i)
    if (kFieldNames[i] == name) return static_cast<Field>(i);
  return std::nullopt;
}

bool isArgumentField(std::string_view name) {
  for (const auto f : kArgumentFields)
    if (f == name) return true;
  return false;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Bytes that stand for themselves inside a string: printable ASCII other than
// the quote and the backslash.
struct PlainBytes {
  bool plain[256] = {};
  constexpr PlainBytes() {
    for (int c = 0x20; c < 0x80; ++c) plain[c] = c != '"' && c != '\\';
  }
};
constexpr PlainBytes kPlain;

void appendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// JSON text without the blanks between its tokens (the text is valid JSON).
std::string compact(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      out += c;
      if (c == '\\') {
        out += text[++i];
      } else if (c == '"') {
        inString = false;
      }
    } else if (!isBlank(c)) {
      out += c;
      inString = c == '"';
    }
  }
  return out;
}

// Whether a JSON number that std::from_chars found out of range is too large
// (rather than too small) for a double: its leading digit's power of ten is
// not negative.
bool beyondDoubleRange(std::string_view number) {
  std::size_t i = number[0] == '-' ? 1 : 0;
  std::int64_t power = 0;  // of the leading non-zero digit
  bool found = false;
  for (; i < number.size() && isDigit(number[i]); ++i) {
    if (found) {
      ++power;
    } else if (number[i] != '0') {
      found = true;
    }
  }
  if (!found && i < number.size() && number[i] == '.') {
    for (++i; i < number.size() && isDigit(number[i]); ++i) {
      --power;
      if (number[i] != '0') {
        found = true;
        break;
      }
    }
  }
  if (!found) return false;  // zero is never out of range
  while (i < number.size() && number[i] != 'e' && number[i] != 'E') ++i;
  std::int64_t exponent = 0;
  if (i < number.size()) {
    ++i;
    const bool negative = number[i] == '-';
    if (number[i] == '-' || number[i] == '+') ++i;
    for (; i < number.size(); ++i) {
      // Clamped: far beyond any double either way.
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (number[i] - '0');
    }
    if (negative) exponent = -exponent;
  }
  return power + exponent >= 0;
}

class Parser {
 public:
  explicit Parser(std::string_view text)
      : begin_(text.data()), p_(text.data()), end_(text.data() + text.size()) {}

  void request(Request& out) {
    if (end_ - p_ >= 3 && std::string_view(p_, 3) == "\xEF\xBB\xBF") p_ += 3;
    blanks();
    if (peek() != '{') {
      skipValue(0);
      finish();
      throw Error(err::kInvalidCall, "A request must be a JSON object");
    }
    open(0);
    blanks();
    if (peek() == '}') {
      ++p_;
    } else {
      for (;;) {
        const std::string name = key();
        if (name == "id") {
          const char* start = p_;
          skipValue(1);
          out.id = compact(std::string_view(start, static_cast<std::size_t>(p_ - start)));
        } else if (const auto f = fieldNamed(name)) {
          out.fields[static_cast<std::size_t>(*f)] =
              *f == Field::Args ? arguments(out) : scalar(1);
        } else {
          skipValue(1);
        }
        if (!nextMember('}')) break;
      }
    }
    finish();
  }

 private:
  // --- the text ----------------------------------------------------------

  char peek() const { return p_ < end_ ? *p_ : '\0'; }

  void blanks() {
    while (p_ < end_ && isBlank(*p_)) ++p_;
  }

  [[noreturn]] void fail(std::string_view what) const {
    const auto at = std::to_string(p_ - begin_);
    throw Error(err::kInvalidCall, "Malformed request: " +
                                       std::string(p_ < end_ ? what : "the line ends early") +
                                       " at byte " + at);
  }

  void expect(char c, std::string_view what) {
    if (peek() != c) fail(what);
    ++p_;
  }

  // After the value: only blanks to the end of the line, then the overflow
  // found in a kept number, if any.
  void finish() {
    blanks();
    if (p_ != end_) fail("text after the request");
    if (overflowAt_) {
      throw Error(err::kOverflow, "Overflow: the number at byte " + std::to_string(*overflowAt_ - begin_) +
                                      " is beyond the range of a Double");
    }
  }

  // Enters a container that opens at `depth` levels.
  void open(int depth) {
    if (depth >= Request::kMaxDepth)
      fail("nested deeper than " + std::to_string(Request::kMaxDepth) + " levels");
    ++p_;
  }

  // After a member or element: true at ',' (and past it), false at `close`
  // (and past it).
  bool nextMember(char close) {
    blanks();
    if (peek() == ',') {
      ++p_;
      blanks();
      return true;
    }
    expect(close, close == '}' ? "expected ',' or '}'" : "expected ',' or ']'");
    return false;
  }

  // A member name and its colon; leaves the reader at the value. With Keep
  // the decoded name is returned.
  template <bool Keep = true>
  std::string key() {
    if (peek() != '"') fail("expected a name in quotes");
    std::string name;
    string<Keep>(name);
    blanks();
    expect(':', "expected ':'");
    blanks();
    return name;
  }

  // --- strings -------------------------------------------------------------

  // Reads a string from its opening quote; with Keep its decoded text is
  // appended to `out`.
  template <bool Keep>
  void string(std::string& out) {
    ++p_;
    for (;;) {
      const char* run = p_;
      while (p_ < end_ && kPlain.plain[static_cast<unsigned char>(*p_)]) ++p_;
      if constexpr (Keep) out.append(run, static_cast<std::size_t>(p_ - run));
      if (p_ == end_) fail("unterminated string");
      const auto c = static_cast<unsigned char>(*p_);
      if (c == '"') {
        ++p_;
        return;
      }
      if (c == '\\') {
        escape<Keep>(out);
      } else if (c < 0x20) {
        fail("control character in a string");
      } else {
        run = p_;
        utf8Sequence();
        if constexpr (Keep) out.append(run, static_cast<std::size_t>(p_ - run));
      }
    }
  }

  template <bool Keep>
  void escape(std::string& out) {
    ++p_;
    char decoded = 0;
    switch (peek()) {
      case '"': decoded = '"'; break;
      case '\\': decoded = '\\'; break;
      case '/': decoded = '/'; break;
      case 'b': decoded = '\b'; break;
      case 'f': decoded = '\f'; break;
      case 'n': decoded = '\n'; break;
      case 'r': decoded = '\r'; break;
      case 't': decoded = '\t'; break;
      case 'u': {
        std::uint32_t cp = hex4();
        if (cp >= 0xDC00 && cp <= 0xDFFF) fail("lone surrogate escape");
        if (cp >= 0xD800 && cp <= 0xDBFF) {
          if (end_ - p_ < 2 || p_[0] != '\\' || p_[1] != 'u') fail("lone surrogate escape");
          ++p_;
          const std::uint32_t low = hex4();
          if (low < 0xDC00 || low > 0xDFFF) fail("lone surrogate escape");
          cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        }
        if constexpr (Keep) appendUtf8(out, cp);
        return;
      }
      default: fail("invalid escape");
    }
    ++p_;
    if constexpr (Keep) out += decoded;
  }

  // Four hex digits after a 'u' (the reader stands on the 'u').
  std::uint32_t hex4() {
    ++p_;
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      const int d = digitValue(peek());
      if (d < 0) fail("invalid \\u escape");
      v = v * 16 + static_cast<std::uint32_t>(d);
      ++p_;
    }
    return v;
  }

  // One well-formed UTF-8 sequence of two to four bytes.
  void utf8Sequence() {
    const auto lead = static_cast<unsigned char>(*p_);
    int trail = 0;
    unsigned char low = 0x80, high = 0xBF;  // range of the first trail byte
    if (lead >= 0xC2 && lead <= 0xDF) {
      trail = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      trail = 2;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      trail = 3;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
    } else {
      fail("text that is not UTF-8");
    }
    ++p_;
    for (int i = 0; i < trail; ++i, ++p_) {
      const auto b = static_cast<unsigned char>(peek());
      if (p_ == end_ || b < low || b > high) fail("text that is not UTF-8");
      low = 0x80;
      high = 0xBF;
    }
  }

  // --- numbers and words -----------------------------------------------------

  // Steps over a number as the JSON grammar has it; returns its text.
  std::string_view numberText() {
    const char* start = p_;
    if (peek() == '-') ++p_;
    if (peek() == '0') {
      ++p_;
    } else if (isDigit(peek())) {
      while (isDigit(peek())) ++p_;
    } else {
      fail("invalid number");
    }
    if (peek() == '.') {
      ++p_;
      if (!isDigit(peek())) fail("invalid number");
      while (isDigit(peek())) ++p_;
    }
    if (peek() == 'e' || peek() == 'E') {
      ++p_;
      if (peek() == '+' || peek() == '-') ++p_;
      if (!isDigit(peek())) fail("invalid number");
      while (isDigit(peek())) ++p_;
    }
    return std::string_view(start, static_cast<std::size_t>(p_ - start));
  }

  json number() {
    const char* start = p_;
    const std::string_view text = numberText();
    const char* first = text.data();
    const char* last = first + text.size();
    if (text.find_first_of(".eE") == std::string_view::npos) {
      if (text[0] == '-') {
        std::int64_t v = 0;
        if (std::from_chars(first, last, v).ec == std::errc()) return json(v);
      } else {
        std::uint64_t v = 0;
        if (std::from_chars(first, last, v).ec == std::errc()) return json(v);
      }
    }
    double d = 0;
    const auto [ptr, ec] = std::from_chars(first, last, d);
    if (ec == std::errc::result_out_of_range) {
      if (beyondDoubleRange(text)) {
        if (!overflowAt_) overflowAt_ = start;
        return json(nullptr);
      }
      return json(text[0] == '-' ? -0.0 : 0.0);  // below the smallest double
    }
    if (ec != std::errc() || ptr != last) fail("invalid number");
    return json(d);
  }

  void word(std::string_view w) {
    if (static_cast<std::size_t>(end_ - p_) < w.size() || std::string_view(p_, w.size()) != w)
      fail("expected a value");
    p_ += w.size();
  }

  // --- values ----------------------------------------------------------------

  // A value the request keeps as a scalar; an array or object is checked and
  // kept as an empty one of its kind.
  json scalar(int depth) {
    switch (peek()) {
      case '"': {
        std::string s;
        string<true>(s);
        return json(std::move(s));
      }
      case 't': word("true"); return json(true);
      case 'f': word("false"); return json(false);
      case 'n': word("null"); return json(nullptr);
      case '[': skipValue(depth); return json::array();
      case '{': skipValue(depth); return json::object();
      default: return number();
    }
  }

  // The "args" field: up to kMaxArguments argument values.
  json arguments(Request& out) {
    out.tooManyArguments = false;
    if (peek() != '[') return scalar(1);
    open(1);
    json list = json::array();
    blanks();
    if (peek() == ']') {
      ++p_;
      return list;
    }
    do {
      if (list.size() < Request::kMaxArguments) {
        list.push_back(argument(2));
      } else {
        out.tooManyArguments = true;
        skipValue(2);
      }
    } while (nextMember(']'));
    return list;
  }

  // One argument: an object keeps its known fields, as scalars.
  json argument(int depth) {
    if (peek() != '{') return scalar(depth);
    open(depth);
    json object = json::object();
    blanks();
    if (peek() == '}') {
      ++p_;
      return object;
    }
    do {
      const std::string name = key();
      if (isArgumentField(name)) {
        object[name] = scalar(depth + 1);
      } else {
        skipValue(depth + 1);
      }
    } while (nextMember('}'));
    return object;
  }

  // Checks one value that opens at `depth` levels and builds nothing: the
  // path that hostile input takes, so it walks the text in one loop without
  // recursion.
  void skipValue(int depth) {
    std::uint64_t objects = 0;  // bit i: the container i levels below `depth` is an object
    int levels = 0;
    std::string none;
    for (;;) {
      // At a value.
      switch (peek()) {
        case '{':
        case '[': {
          const bool object = *p_ == '{';
          open(depth + levels);
          objects = (objects << 1) | (object ? 1u : 0u);
          ++levels;
          blanks();
          if (peek() == (object ? '}' : ']')) {
            ++p_;
            objects >>= 1;
            --levels;
            break;  // to the end of a value
          }
          if (object) key<false>();
          continue;  // to the first value
        }
        case '"': string<false>(none); break;
        case 't': word("true"); break;
        case 'f': word("false"); break;
        case 'n': word("null"); break;
        default:
          if (peek() != '-' && !isDigit(peek())) fail("expected a value");
          numberText();
          break;
      }
      // At the end of a value: the next element, or the end of containers.
      for (;;) {
        if (levels == 0) return;
        const bool object = objects & 1u;
        if (nextMember(object ? '}' : ']')) {
          if (object) key<false>();
          break;
        }
        objects >>= 1;
        --levels;
      }
    }
  }

  const char* begin_;
  const char* p_;
  const char* end_;
  std::optional<const char*> overflowAt_;
};

}  // namespace

std::string_view fieldName(Field field) { return kFieldNames[static_cast<std::size_t>(field)]; }

void readRequest(std::string_view line, Request& request) { Parser(line).request(request); }

}  // namespace zs::cli
