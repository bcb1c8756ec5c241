// ZSMath through the dynamic layer (zs::invoke by dispatch id and by name)
// against the typed call, for a Double function, a Variant function and Inc.
// The ATanH and Inc rows count heap allocations per call (allocs_per_op).
#include <benchmark/benchmark.h>

#include <array>
#include <string_view>
#include <vector>

#include "bench/allocation_meter.h"
#include "core/dispatch.h"
#include "utils/math.h"

namespace zs {
namespace {

using bench::runCountingAllocations;
using namespace std::string_view_literals;

constexpr DispId kIncId = methodId(0x00);
constexpr DispId kLog10Id = methodId(0x02);
constexpr DispId kATanHId = methodId(0x15);

void BM_Math_ATanH_Typed(benchmark::State& state) {
  auto math = create<Math>();
  Double x = 0.5;
  runCountingAllocations(state, [&] {
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(math->ATanH(x));
  });
}
BENCHMARK(BM_Math_ATanH_Typed);

template <class Member>
void atanhDynamic(benchmark::State& state, Member member) {
  auto math = create<Math>();
  std::array<Argument, 1> args = {Argument::byReference(Variant(0.5))};
  runCountingAllocations(
      state, [&] { benchmark::DoNotOptimize(invoke(*math, member, CallKind::Method, args)); });
}
void BM_Math_ATanH_ById(benchmark::State& state) { atanhDynamic(state, kATanHId); }
void BM_Math_ATanH_ByName(benchmark::State& state) { atanhDynamic(state, "ATanH"sv); }
BENCHMARK(BM_Math_ATanH_ById);
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
  runCountingAllocations(state, [&] { benchmark::DoNotOptimize(math->Inc(counter)); });
}
BENCHMARK(BM_Math_Inc_Typed);

// The counter stays the caller's variable across calls: each call writes it
// back. The step is omitted, as in the typed call.
template <class Member>
void incDynamic(benchmark::State& state, Member member) {
  auto math = create<Math>();
  std::array<Argument, 2> args = {Argument::byReference(Variant(Long{0})), Argument::omitted()};
  runCountingAllocations(
      state, [&] { benchmark::DoNotOptimize(invoke(*math, member, CallKind::Method, args)); });
}
void BM_Math_Inc_ById(benchmark::State& state) { incDynamic(state, kIncId); }
void BM_Math_Inc_ByName(benchmark::State& state) { incDynamic(state, "Inc"sv); }
BENCHMARK(BM_Math_Inc_ById);
BENCHMARK(BM_Math_Inc_ByName);

}  // namespace
}  // namespace zs
