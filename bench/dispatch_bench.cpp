// The cost of the dynamic layer: ZSNumbers members called through zs::invoke by
// dispatch id and by name, against the direct typed call.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/dispatch.h"
#include "utils/numbers.h"

namespace {

using zs::Argument;
using zs::CallKind;
using zs::Numbers;
using zs::String;
using zs::Variant;

constexpr zs::DispId kBinToDec = zs::methodId(0x02);
constexpr zs::DispId kDecToHex = zs::methodId(0x08);
const String kBinary = u"1011011101111011111";  // 376799
const String kDecimal = u"376799";

// BinToDec shrinks its argument, so every call starts from a fresh copy; the
// copy is part of every variant below alike.

void BM_BinToDec_Typed(benchmark::State& state) {
  auto numbers = zs::create<Numbers>();
  for (auto _ : state) {
    String arg = kBinary;
    benchmark::DoNotOptimize(numbers->BinToDec(arg));
  }
}
BENCHMARK(BM_BinToDec_Typed);

void BM_BinToDec_ByDispid(benchmark::State& state) {
  auto numbers = zs::create<Numbers>();
  for (auto _ : state) {
    std::vector<Argument> args = {Argument::byReference(Variant(kBinary))};
    benchmark::DoNotOptimize(zs::invoke(*numbers, kBinToDec, CallKind::Method, args));
  }
}
BENCHMARK(BM_BinToDec_ByDispid);

void BM_BinToDec_ByName(benchmark::State& state) {
  auto numbers = zs::create<Numbers>();
  for (auto _ : state) {
    std::vector<Argument> args = {Argument::byReference(Variant(kBinary))};
    benchmark::DoNotOptimize(zs::invoke(*numbers, "BinToDec", CallKind::Method, args));
  }
}
BENCHMARK(BM_BinToDec_ByName);

void BM_DecToHex_Typed(benchmark::State& state) {
  auto numbers = zs::create<Numbers>();
  for (auto _ : state) {
    String arg = kDecimal;
    benchmark::DoNotOptimize(numbers->DecToHex(arg));
  }
}
BENCHMARK(BM_DecToHex_Typed);

void BM_DecToHex_ByDispid(benchmark::State& state) {
  auto numbers = zs::create<Numbers>();
  for (auto _ : state) {
    std::vector<Argument> args = {Argument::byReference(Variant(kDecimal))};
    benchmark::DoNotOptimize(zs::invoke(*numbers, kDecToHex, CallKind::Method, args));
  }
}
BENCHMARK(BM_DecToHex_ByDispid);

void BM_DecToHex_ByName(benchmark::State& state) {
  auto numbers = zs::create<Numbers>();
  for (auto _ : state) {
    std::vector<Argument> args = {Argument::byReference(Variant(kDecimal))};
    benchmark::DoNotOptimize(zs::invoke(*numbers, "DecToHex", CallKind::Method, args));
  }
}
BENCHMARK(BM_DecToHex_ByName);

}  // namespace
