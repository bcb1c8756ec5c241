// ZSMath through the dynamic layer (zs::invoke by dispatch id and by name)
// against the typed call, for a Double function, a Variant function and Inc.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/dispatch.h"
#include "utils/math.h"

namespace zs {
namespace {

constexpr DispId kIncId = methodId(0x00);
constexpr DispId kLog10Id = methodId(0x02);
constexpr DispId kATanHId = methodId(0x15);

void BM_Math_ATanH_Typed(benchmark::State& state) {
  auto math = create<Math>();
  Double x = 0.5;
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(math->ATanH(x));
  }
}
BENCHMARK(BM_Math_ATanH_Typed);

void BM_Math_ATanH_ById(benchmark::State& state) {
  auto math = create<Math>();
  std::vector<Argument> args = {Argument::byReference(Variant(0.5))};
  for (auto _ : state) benchmark::DoNotOptimize(invoke(*math, kATanHId, CallKind::Method, args));
}
BENCHMARK(BM_Math_ATanH_ById);

void BM_Math_ATanH_ByName(benchmark::State& state) {
  auto math = create<Math>();
  std::vector<Argument> args = {Argument::byReference(Variant(0.5))};
  for (auto _ : state) benchmark::DoNotOptimize(invoke(*math, "ATanH", CallKind::Method, args));
}
BENCHMARK(BM_Math_ATanH_ByName);

// An Integer argument that the layer converts to the declared Double.
void BM_Math_ACotH_ByNameConverted(benchmark::State& state) {
  auto math = create<Math>();
  for (auto _ : state) {
    std::vector<Argument> args = {Argument::byValue(Variant(Integer{2}))};
    benchmark::DoNotOptimize(invoke(*math, "ACotH", CallKind::Method, args));
  }
}
BENCHMARK(BM_Math_ACotH_ByNameConverted);

void BM_Math_Log10Text_Typed(benchmark::State& state) {
  auto math = create<Math>();
  const Variant text(u"1234.5");
  for (auto _ : state) benchmark::DoNotOptimize(math->Log10(text));
}
BENCHMARK(BM_Math_Log10Text_Typed);

void BM_Math_Log10Text_ById(benchmark::State& state) {
  auto math = create<Math>();
  std::vector<Argument> args = {Argument::byValue(Variant(u"1234.5"))};
  for (auto _ : state) benchmark::DoNotOptimize(invoke(*math, kLog10Id, CallKind::Method, args));
}
BENCHMARK(BM_Math_Log10Text_ById);

void BM_Math_Inc_Typed(benchmark::State& state) {
  auto math = create<Math>();
  Variant counter(Long{0});
  for (auto _ : state) benchmark::DoNotOptimize(math->Inc(counter));
}
BENCHMARK(BM_Math_Inc_Typed);

// The counter stays the caller's variable across calls: each call writes it back.
void BM_Math_Inc_ById(benchmark::State& state) {
  auto math = create<Math>();
  std::vector<Argument> args = {Argument::byReference(Variant(Long{0})), Argument::omitted()};
  for (auto _ : state) benchmark::DoNotOptimize(invoke(*math, kIncId, CallKind::Method, args));
}
BENCHMARK(BM_Math_Inc_ById);

}  // namespace
}  // namespace zs
