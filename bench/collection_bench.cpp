// Collection at scale: adds, fetches by position and by key, and removals
// from the front. Fetching and adding should cost the same per element at
// 10^3, 10^5 and 10^6 elements.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/collection.h"

namespace {

using zs::Collection;
using zs::Long;
using zs::String;
using zs::Variant;

std::vector<Variant> keysFor(Long n) {
  std::vector<Variant> keys;
  keys.reserve(static_cast<std::size_t>(n));
  for (Long i = 0; i < n; ++i) keys.emplace_back(zs::u16("key" + std::to_string(i)));
  return keys;
}

std::shared_ptr<Collection> filled(Long n, const std::vector<Variant>* keys) {
  auto c = zs::create<Collection>();
  for (Long i = 0; i < n; ++i)
    c->Add(Variant(i), keys ? (*keys)[static_cast<std::size_t>(i)].string() : String());
  return c;
}

// A walk over all positions in a scattered order (7919 is prime).
Long scattered(std::int64_t step, Long n) { return static_cast<Long>((step * 7919) % n); }

void BM_CollectionAddUnkeyed(benchmark::State& state) {
  const auto n = static_cast<Long>(state.range(0));
  for (auto _ : state) {
    auto c = filled(n, nullptr);
    benchmark::DoNotOptimize(c->Count());
    state.PauseTiming();
    c.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * n);
}

void BM_CollectionAddKeyed(benchmark::State& state) {
  const auto n = static_cast<Long>(state.range(0));
  const auto keys = keysFor(n);
  for (auto _ : state) {
    auto c = filled(n, &keys);
    benchmark::DoNotOptimize(c->Count());
    state.PauseTiming();
    c.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * n);
}

void BM_CollectionItemByPosition(benchmark::State& state) {
  const auto n = static_cast<Long>(state.range(0));
  auto c = filled(n, nullptr);
  std::int64_t step = 0;
  for (auto _ : state) {
    Variant v = c->Item(Variant(scattered(step++, n) + 1));
    benchmark::DoNotOptimize(v);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_CollectionItemByKey(benchmark::State& state) {
  const auto n = static_cast<Long>(state.range(0));
  const auto keys = keysFor(n);
  auto c = filled(n, &keys);
  std::int64_t step = 0;
  for (auto _ : state) {
    Variant v = c->Item(keys[static_cast<std::size_t>(scattered(step++, n))]);
    benchmark::DoNotOptimize(v);
  }
  state.SetItemsProcessed(state.iterations());
}

// Empties a keyed collection of n elements by always removing position 1.
void BM_CollectionRemoveFront(benchmark::State& state) {
  const auto n = static_cast<Long>(state.range(0));
  const auto keys = keysFor(n);
  const Variant first(Long{1});
  for (auto _ : state) {
    state.PauseTiming();
    auto c = filled(n, &keys);
    state.ResumeTiming();
    while (c->Count() > 0) c->Remove(first);
    benchmark::DoNotOptimize(c->Count());
  }
  state.SetItemsProcessed(state.iterations() * n);
}

// Removes n/10 elements by key from the middle of a keyed collection.
void BM_CollectionRemoveMiddleByKey(benchmark::State& state) {
  const auto n = static_cast<Long>(state.range(0));
  const auto keys = keysFor(n);
  const Long removals = n / 10;
  for (auto _ : state) {
    state.PauseTiming();
    auto c = filled(n, &keys);
    state.ResumeTiming();
    for (Long i = 0; i < removals; ++i) c->Remove(keys[static_cast<std::size_t>(n / 2 - removals / 2 + i)]);
    benchmark::DoNotOptimize(c->Count());
  }
  state.SetItemsProcessed(state.iterations() * removals);
}

#define SIZES Arg(1000)->Arg(100000)->Arg(1000000)
BENCHMARK(BM_CollectionAddUnkeyed)->SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CollectionAddKeyed)->SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CollectionItemByPosition)->SIZES;
BENCHMARK(BM_CollectionItemByKey)->SIZES;
BENCHMARK(BM_CollectionRemoveFront)->SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CollectionRemoveMiddleByKey)->SIZES->Unit(benchmark::kMillisecond);
#undef SIZES

}  // namespace
