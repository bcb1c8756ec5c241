// The cost of the dynamic layer: ZSNumbers members called through zs::invoke by
// dispatch id and by name, against the direct typed call. Each row counts the
// heap allocations per call as well (allocs_per_op).
#include <benchmark/benchmark.h>

#include <array>
#include <string_view>

#include "bench/allocation_meter.h"
#include "core/dispatch.h"
#include "utils/numbers.h"

namespace {

using zs::Argument;
using zs::CallKind;
using zs::Numbers;
using zs::String;
using zs::Variant;
using zs::bench::runCountingAllocations;
using namespace std::string_view_literals;

constexpr zs::DispId kBinToDec = zs::methodId(0x02);
constexpr zs::DispId kDecToHex = zs::methodId(0x08);
const String kBinary = u"1011011101111011111";  // 376799
const String kDecimal = u"376799";

// Both members write their argument back (BinToDec shrinks it), so every call
// starts from a fresh copy; the copy is part of every variant below alike. The
// arguments live in a fixed array, as a script host passes them.

void typed(benchmark::State& state, Variant (Numbers::*member)(String&), const String& text) {
  auto numbers = zs::create<Numbers>();
  runCountingAllocations(state, [&] {
    String arg = text;
    benchmark::DoNotOptimize(((*numbers).*member)(arg));
  });
}

template <class Member>
void dynamic(benchmark::State& state, Member member, const String& text) {
  auto numbers = zs::create<Numbers>();
  std::array<Argument, 1> args;
  runCountingAllocations(state, [&] {
    args[0] = Argument::byReference(Variant(text));
    benchmark::DoNotOptimize(zs::invoke(*numbers, member, CallKind::Method, args));
  });
}

void BM_BinToDec_Typed(benchmark::State& state) { typed(state, &Numbers::BinToDec, kBinary); }
void BM_BinToDec_ById(benchmark::State& state) { dynamic(state, kBinToDec, kBinary); }
void BM_BinToDec_ByName(benchmark::State& state) { dynamic(state, "BinToDec"sv, kBinary); }
void BM_DecToHex_Typed(benchmark::State& state) { typed(state, &Numbers::DecToHex, kDecimal); }
void BM_DecToHex_ById(benchmark::State& state) { dynamic(state, kDecToHex, kDecimal); }
void BM_DecToHex_ByName(benchmark::State& state) { dynamic(state, "DecToHex"sv, kDecimal); }

BENCHMARK(BM_BinToDec_Typed);
BENCHMARK(BM_BinToDec_ById);
BENCHMARK(BM_BinToDec_ByName);
BENCHMARK(BM_DecToHex_Typed);
BENCHMARK(BM_DecToHex_ById);
BENCHMARK(BM_DecToHex_ByName);

}  // namespace
