// The library's Variant rules against the platform's automation runtime, timed
// in one Windows process: addition (VarAdd), concatenation of two Strings
// (VarCat), Double to text (VarBstrFromR8) and text to Double (VarR8FromStr).
// Each side runs in batches of a few milliseconds; the two sides of an
// operation alternate batch by batch over several rounds, and the fastest batch
// of each side gives its time per operation. Beside the operations, floors
// time a part of one operation alone on each side, the same way. Prints one
// JSON document:
//   {"rounds": R, "operations": [{"name", "library_ns", "runtime_ns", "ratio",
//                                 "same_result"}...],
//    "floors": [{"name", "operation", "library_ns", "runtime_ns", "ratio"}...]}
#include <windows.h>
// after windows.h, which it needs
#include <oleauto.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/variant_ops.h"

namespace {

using zs::Variant;

constexpr int kRounds = 15;
constexpr double kBatchSeconds = 0.004;

// Keeps the compiler from dropping a computation whose result is unused.
template <class T>
void keep(const T& value) {
  asm volatile("" : : "r"(&value) : "memory");
}

// An owned VARIANT, cleared on every path.
struct OleVariant {
  VARIANT v;
  OleVariant() { VariantInit(&v); }
  OleVariant(const OleVariant&) = delete;
  OleVariant& operator=(const OleVariant&) = delete;
  ~OleVariant() { VariantClear(&v); }
};

BSTR newBstr(const zs::String& text) {
  return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                           static_cast<UINT>(text.size()));
}

// An owned BSTR.
struct OleString {
  BSTR s = nullptr;
  explicit OleString(const zs::String& text) : s(newBstr(text)) {}
  OleString(const OleString&) = delete;
  OleString& operator=(const OleString&) = delete;
  ~OleString() { SysFreeString(s); }
};

zs::String fromBstr(BSTR b) {
  return zs::String(reinterpret_cast<const char16_t*>(b), SysStringLen(b));
}

using Clock = std::chrono::steady_clock;

// Seconds for `count` runs of `op`.
template <class Op>
double timeBatch(Op& op, long count) {
  const auto start = Clock::now();
  for (long i = 0; i < count; ++i) op();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The batch size that takes about kBatchSeconds.
template <class Op>
long batchSize(Op& op) {
  long count = 16;
  while (count < (1L << 30)) {
    const double seconds = timeBatch(op, count);
    if (seconds >= kBatchSeconds / 4)
      return std::max(1L, static_cast<long>(count * kBatchSeconds / seconds));
    count *= 4;
  }
  return count;
}

struct Result {
  std::string name;
  double libraryNs = 0, runtimeNs = 0;
  bool sameResult = false;
};

// Times one operation: `library` and `runtime` each perform it once.
template <class Library, class Runtime>
Result compare(const char* name, Library library, Runtime runtime, bool sameResult) {
  const long libraryCount = batchSize(library), runtimeCount = batchSize(runtime);
  double libraryBest = 1e300, runtimeBest = 1e300;
  for (int round = 0; round < kRounds; ++round) {
    // Alternate which side goes first, so neither always runs on a warm cache.
    if (round % 2 == 0) {
      libraryBest = std::min(libraryBest, timeBatch(library, libraryCount) / libraryCount);
      runtimeBest = std::min(runtimeBest, timeBatch(runtime, runtimeCount) / runtimeCount);
    } else {
      runtimeBest = std::min(runtimeBest, timeBatch(runtime, runtimeCount) / runtimeCount);
      libraryBest = std::min(libraryBest, timeBatch(library, libraryCount) / libraryCount);
    }
  }
  return Result{name, libraryBest * 1e9, runtimeBest * 1e9, sameResult};
}

Result add(const char* name, const Variant& a, const Variant& b, VARTYPE type) {
  OleVariant x, y;
  V_VT(&x.v) = type;
  V_VT(&y.v) = type;
  if (type == VT_I4) {
    V_I4(&x.v) = a.lng();
    V_I4(&y.v) = b.lng();
  } else {
    V_R8(&x.v) = a.dbl();
    V_R8(&y.v) = b.dbl();
  }
  OleVariant check;
  VarAdd(&x.v, &y.v, &check.v);
  const Variant sum = zs::add(a, b);
  const bool same = type == VT_I4 ? V_VT(&check.v) == VT_I4 && V_I4(&check.v) == sum.lng()
                                  : V_VT(&check.v) == VT_R8 && V_R8(&check.v) == sum.dbl();
  return compare(
      name, [&] { keep(zs::add(a, b)); },
      [&] {
        OleVariant r;
        VarAdd(&x.v, &y.v, &r.v);
        keep(r.v);
      },
      same);
}

// The two Strings joined by the concatenation.
constexpr std::u16string_view kLeft = u"HKEY_LOCAL_MACHINE\\Software";
constexpr std::u16string_view kRight = u"\\Microsoft\\Windows\\CurrentVersion";

Result concatenation() {
  const zs::String left(kLeft);
  const zs::String right(kRight);
  const Variant a(left), b(right);
  OleVariant x, y;
  V_VT(&x.v) = VT_BSTR;
  V_BSTR(&x.v) = newBstr(left);
  V_VT(&y.v) = VT_BSTR;
  V_BSTR(&y.v) = newBstr(right);
  OleVariant check;
  VarCat(&x.v, &y.v, &check.v);
  const bool same =
      V_VT(&check.v) == VT_BSTR && fromBstr(V_BSTR(&check.v)) == zs::concat(a, b).string();
  return compare(
      "concatenation (String & String)", [&] { keep(zs::concat(a, b)); },
      [&] {
        OleVariant r;
        VarCat(&x.v, &y.v, &r.v);
        keep(r.v);
      },
      same);
}

// The allocation alone of a concatenation's result, on each side: the joined
// text's buffer from the String's allocator (what concat reserves: the
// length and its terminator), against a BSTR of the same length from
// SysAllocStringLen, each freed at once. Nothing is copied on either side.
Result concatenationAllocation() {
  const std::size_t length = kLeft.size() + kRight.size();
  std::allocator<char16_t> allocator;
  return compare(
      "allocation of the joined text",
      [&] {
        char16_t* text = allocator.allocate(length + 1);
        keep(text);
        allocator.deallocate(text, length + 1);
      },
      [&] {
        BSTR text = SysAllocStringLen(nullptr, static_cast<UINT>(length));
        keep(text);
        SysFreeString(text);
      },
      true);
}

Result doubleToText() {
  const double value = 12345.678901;
  const Variant v(value);
  BSTR check = nullptr;
  VarBstrFromR8(value, LOCALE_USER_DEFAULT, 0, &check);
  const bool same = check && fromBstr(check) == zs::toText(v);
  SysFreeString(check);
  return compare(
      "number to text (Double)", [&] { keep(zs::toText(v)); },
      [&] {
        BSTR text = nullptr;
        VarBstrFromR8(value, LOCALE_USER_DEFAULT, 0, &text);
        keep(text);
        SysFreeString(text);
      },
      same);
}

Result textToDouble() {
  const zs::String text = u"12345.678901";
  const OleString b(text);
  double check = 0;
  const bool same = SUCCEEDED(VarR8FromStr(b.s, LOCALE_USER_DEFAULT, 0, &check)) &&
                    check == zs::parseDouble(text);
  return compare(
      "text to number (Double)", [&] { keep(zs::parseDouble(text)); },
      [&] {
        double d = 0;
        VarR8FromStr(b.s, LOCALE_USER_DEFAULT, 0, &d);
        keep(d);
      },
      same);
}

}  // namespace

int main() {
  zs::setDecimalSeparator(u'.');
  std::vector<Result> results;
  results.push_back(
      add("add (Long + Long)", Variant(zs::Long{123456}), Variant(zs::Long{654321}), VT_I4));
  results.push_back(add("add (Double + Double)", Variant(1234.5), Variant(0.125), VT_R8));
  results.push_back(concatenation());
  // Timed beside the operation it is the floor of.
  const Result allocation = concatenationAllocation();
  results.push_back(doubleToText());
  results.push_back(textToDouble());

  std::printf("{\"rounds\": %d, \"operations\": [", kRounds);
  for (std::size_t i = 0; i < results.size(); ++i) {
    const Result& r = results[i];
    std::printf(
        "%s\n  {\"name\": \"%s\", \"library_ns\": %.3f, \"runtime_ns\": %.3f, \"ratio\": %.4f, "
        "\"same_result\": %s}",
        i ? "," : "", r.name.c_str(), r.libraryNs, r.runtimeNs, r.libraryNs / r.runtimeNs,
        r.sameResult ? "true" : "false");
  }
  std::printf("\n], \"floors\": [");
  std::printf(
      "\n  {\"name\": \"%s\", \"operation\": \"concatenation (String & String)\", "
      "\"library\": \"the String's allocator (operator new and delete)\", "
      "\"runtime\": \"SysAllocStringLen and SysFreeString\", "
      "\"library_ns\": %.3f, \"runtime_ns\": %.3f, \"ratio\": %.4f}",
      allocation.name.c_str(), allocation.libraryNs, allocation.runtimeNs,
      allocation.libraryNs / allocation.runtimeNs);
  std::printf("\n]}\n");
  return 0;
}
