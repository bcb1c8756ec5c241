// ZSLinkedList: adds and removes at scale. Add and Remove are constant time,
// so the time per element should not grow with the list.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "core/dispatch.h"
#include "frame/factory.h"
#include "utils/linked_list.h"

namespace {

using zs::LinkedList;
using zs::Long;
using zs::Variant;

// N appends (the table grows by 100 slots at a time), then N removals from the front.
void BM_AppendThenRemoveFront(benchmark::State& state) {
  const auto n = static_cast<Long>(state.range(0));
  for (auto _ : state) {
    auto list = zs::create<LinkedList>();
    for (Long i = 0; i < n; ++i) list->Add(Variant(i));
    while (!list->IsEmpty()) list->Remove(list->headNode());
    benchmark::DoNotOptimize(list->Count());
  }
  state.SetItemsProcessed(state.iterations() * n * 2);
}
BENCHMARK(BM_AppendThenRemoveFront)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The same with the table sized once up front.
void BM_PresizedAppendThenRemoveFront(benchmark::State& state) {
  const auto n = static_cast<Long>(state.range(0));
  for (auto _ : state) {
    auto list = zs::create<LinkedList>();
    list->SetSize(n);
    for (Long i = 0; i < n; ++i) list->Add(Variant(i));
    while (!list->IsEmpty()) list->Remove(list->headNode());
    benchmark::DoNotOptimize(list->Count());
  }
  state.SetItemsProcessed(state.iterations() * n * 2);
}
BENCHMARK(BM_PresizedAppendThenRemoveFront)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Inserts before random nodes and removes random nodes of a list of N nodes:
// handles make both constant time wherever the node sits.
void BM_RandomInsertRemove(benchmark::State& state) {
  const auto n = static_cast<Long>(state.range(0));
  auto list = zs::create<LinkedList>();
  std::vector<Long> handles;
  for (Long i = 0; i < n; ++i) handles.push_back(list->Add(Variant(i)));
  std::mt19937 rng(7);
  std::uniform_int_distribution<std::size_t> pick(0, handles.size() - 1);
  for (auto _ : state) {
    const std::size_t k = pick(rng), j = pick(rng);
    list->Remove(handles[k]);
    handles[k] = list->Add(Variant(Long{1}), j == k ? 0 : handles[j]);
  }
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_RandomInsertRemove)->Arg(1000)->Arg(1000000);

// Add and Remove through the dynamic layer, as a script host calls them.
void BM_DynamicAddRemove(benchmark::State& state) {
  auto list = zs::createObject("ZSLinkedList");
  std::vector<zs::Argument> add{zs::Argument::byReference(Variant(zs::String(u"value")))};
  std::vector<zs::Argument> remove{zs::Argument::byValue(Variant(Long{0}))};
  for (auto _ : state) {
    remove[0].value = zs::invoke(*list, "Add", zs::CallKind::Method, add);
    zs::invoke(*list, "Remove", zs::CallKind::Method, remove);
  }
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_DynamicAddRemove);

}  // namespace
