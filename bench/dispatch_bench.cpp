// The cost of the dynamic layer: ZSNumbers members called through zs::invoke by
// dispatch id and by name, against the direct typed call. Two kinds of floor
// beside them:
// - the cheapest member there is (ZSStack.Count: no argument, a Long result,
//   its own work one size read), whose by id minus typed is the fixed cost of
//   any call through the layer;
// - members that do nothing, declared with the parameters of ZSMath.Inc and of
//   ZSStack.Push and Pop (EmptyInc, EmptyPushPop): by id minus typed is what
//   the layer costs for those argument lists, each argument included.
// Each row counts the heap allocations per call as well (allocs_per_op).
#include <benchmark/benchmark.h>

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "bench/allocation_meter.h"
#include "core/class_info.h"
#include "core/dispatch.h"
#include "core/members.h"
#include "utils/numbers.h"
#include "utils/stack.h"

namespace {

using zs::Argument;
using zs::CallKind;
using zs::Numbers;
using zs::Stack;
using zs::String;
using zs::Variant;
using zs::bench::runCountingAllocations;
using namespace std::string_view_literals;

constexpr zs::DispId kBinToDec = zs::methodId(0x02);
constexpr zs::DispId kDecToHex = zs::methodId(0x08);
constexpr zs::DispId kStackCount = zs::methodId(0x03);
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

// The floor: Count of an empty stack (the stack's container is created by the
// first call, before the timing starts).
void BM_Stack_Count_Typed(benchmark::State& state) {
  auto stack = zs::create<Stack>();
  benchmark::DoNotOptimize(stack->Count());
  runCountingAllocations(state, [&] { benchmark::DoNotOptimize(stack->Count()); });
}

template <class Member>
void countDynamic(benchmark::State& state, Member member) {
  auto stack = zs::create<Stack>();
  benchmark::DoNotOptimize(stack->Count());
  runCountingAllocations(state, [&] {
    benchmark::DoNotOptimize(zs::invoke(*stack, member, CallKind::Method, std::span<Argument>()));
  });
}
void BM_Stack_Count_ById(benchmark::State& state) { countDynamic(state, kStackCount); }
void BM_Stack_Count_ByName(benchmark::State& state) { countDynamic(state, "Count"sv); }

// A class whose members do nothing, declared as Inc, Push and Pop are.
class Empty : public zs::Object {
 public:
  const zs::ClassInfo* classInfo() const override;

  [[gnu::noinline]] Variant inc(Variant& value, const Variant& amount = Variant(zs::Integer{1})) {
    benchmark::DoNotOptimize(value);
    benchmark::DoNotOptimize(amount);
    return Variant();
  }
  [[gnu::noinline]] void push(Variant& value) { benchmark::DoNotOptimize(value); }
  [[gnu::noinline]] Variant pop() { return Variant(); }
};

Empty& empty(zs::Object& o) { return static_cast<Empty&>(o); }

const zs::MemberTable& emptyMembers() {
  namespace t = zs::t;
  static const zs::MemberTable table = std::vector<zs::Member>{
      {"Inc", zs::methodId(0), zs::MemberKind::Method,
       {zs::ref("Value", t::Variant),
        zs::optionalIn("Amount", t::Variant, Variant(zs::Integer{1}))},
       t::Variant, [](zs::Object& o, std::span<Variant> a) { return empty(o).inc(a[0], a[1]); }},
      {"Push", zs::methodId(1), zs::MemberKind::Method, {zs::ref("Value", t::Variant)}, t::Void,
       [](zs::Object& o, std::span<Variant> a) {
         empty(o).push(a[0]);
         return Variant();
       }},
      {"Pop", zs::methodId(2), zs::MemberKind::Method, {}, t::Variant,
       [](zs::Object& o, std::span<Variant>) { return empty(o).pop(); }},
  };
  return table;
}

const zs::ClassBinding kEmptyBinding{emptyMembers, nullptr};
const zs::ClassInfo kEmptyInfo{"Empty", zs::ClassKind::Runtime, "", "", "", 0, "", &kEmptyBinding};
const zs::ClassInfo* Empty::classInfo() const { return &kEmptyInfo; }

// As BM_Math_Inc_*: the counter is the caller's variable, the step omitted.
void BM_EmptyInc_Typed(benchmark::State& state) {
  Empty target;
  Variant counter(zs::Long{0});
  runCountingAllocations(state, [&] { benchmark::DoNotOptimize(target.inc(counter)); });
}
void BM_EmptyInc_ById(benchmark::State& state) {
  Empty target;
  std::array<Argument, 2> args = {Argument::byReference(Variant(zs::Long{0})),
                                  Argument::omitted()};
  runCountingAllocations(state, [&] {
    benchmark::DoNotOptimize(zs::invoke(target, zs::methodId(0), CallKind::Method, args));
  });
}
// As BM_Stack_PushPop_*.
void BM_EmptyPushPop_Typed(benchmark::State& state) {
  Empty target;
  Variant value(zs::Long{42});
  runCountingAllocations(state, [&] {
    target.push(value);
    benchmark::DoNotOptimize(target.pop());
  });
}
void BM_EmptyPushPop_ById(benchmark::State& state) {
  Empty target;
  std::array<Argument, 1> pushArgs = {Argument::byReference(Variant(zs::Long{42}))};
  runCountingAllocations(state, [&] {
    zs::invoke(target, zs::methodId(1), CallKind::Method, pushArgs);
    benchmark::DoNotOptimize(
        zs::invoke(target, zs::methodId(2), CallKind::Method, std::span<Argument>()));
  });
}

BENCHMARK(BM_BinToDec_Typed);
BENCHMARK(BM_BinToDec_ById);
BENCHMARK(BM_BinToDec_ByName);
BENCHMARK(BM_DecToHex_Typed);
BENCHMARK(BM_DecToHex_ById);
BENCHMARK(BM_DecToHex_ByName);
BENCHMARK(BM_Stack_Count_Typed);
BENCHMARK(BM_Stack_Count_ById);
BENCHMARK(BM_Stack_Count_ByName);
BENCHMARK(BM_EmptyInc_Typed);
BENCHMARK(BM_EmptyInc_ById);
BENCHMARK(BM_EmptyPushPop_Typed);
BENCHMARK(BM_EmptyPushPop_ById);

}  // namespace
