// ZSStack: a Push followed by a Pop, typed and through the dynamic layer by
// dispatch id and by name, with heap allocations per pair (allocs_per_op).
#include <benchmark/benchmark.h>

#include <array>
#include <span>
#include <string_view>

#include "bench/allocation_meter.h"
#include "core/dispatch.h"
#include "utils/stack.h"

namespace zs {
namespace {

using bench::runCountingAllocations;
using namespace std::string_view_literals;

constexpr DispId kPushId = methodId(0x00);
constexpr DispId kPopId = methodId(0x01);

void BM_Stack_PushPop_Typed(benchmark::State& state) {
  auto stack = create<Stack>();
  Variant value(Long{42});
  runCountingAllocations(state, [&] {
    stack->Push(value);
    benchmark::DoNotOptimize(stack->Pop());
  });
}
BENCHMARK(BM_Stack_PushPop_Typed);

// Push does not write its by-reference argument, so the array is set up once.
template <class Member>
void pushPopDynamic(benchmark::State& state, Member push, Member pop) {
  auto stack = create<Stack>();
  std::array<Argument, 1> pushArgs = {Argument::byReference(Variant(Long{42}))};
  runCountingAllocations(state, [&] {
    invoke(*stack, push, CallKind::Method, pushArgs);
    benchmark::DoNotOptimize(invoke(*stack, pop, CallKind::Method, std::span<Argument>()));
  });
}
void BM_Stack_PushPop_ById(benchmark::State& state) { pushPopDynamic(state, kPushId, kPopId); }
void BM_Stack_PushPop_ByName(benchmark::State& state) { pushPopDynamic(state, "Push"sv, "Pop"sv); }
BENCHMARK(BM_Stack_PushPop_ById);
BENCHMARK(BM_Stack_PushPop_ByName);

}  // namespace
}  // namespace zs
