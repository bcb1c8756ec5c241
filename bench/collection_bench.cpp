// Collection at scale, beside the standard containers doing the same work:
// std::unordered_map<std::u16string, Variant> for keyed adds, fetches and
// removals, std::vector<Variant> for positional ones. Sizes 10^3, 10^5 and
// 10^6; every row reports heap allocations per element (allocs_per_op).
// The map compares keys exactly, the Collection without regard to case; for
// the keyed fetch, a second map whose hash and equality fold case as the
// Collection's do (FoldingMap) measures the same work on a standard container.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "bench/allocation_meter.h"
#include "core/case_fold.h"
#include "core/collection.h"
#include "core/collection_keys.h"

namespace {

using zs::Collection;
using zs::Long;
using zs::String;
using zs::Variant;
using zs::bench::AllocationMeter;
using Map = std::unordered_map<String, Variant>;

// Keys hashed and compared as the Collection's index does: the hash of the
// folded code units (CollectionKeys::hashOf) and equality after folding
// (sameFoldedKey), neither building a folded copy. The hash is not noexcept
// on purpose: libstdc++ then keeps each node's hash, as it does for the exact
// map's std::hash, instead of hashing every node a look-up walks past (the
// Collection's index keeps the hashes too).
struct FoldedHash {
  std::size_t operator()(const String& key) const {
    return zs::CollectionKeys::hashOf(key);
  }
};
struct FoldedEqual {
  bool operator()(const String& a, const String& b) const noexcept {
    return zs::sameFoldedKey(a, b);
  }
};
using FoldingMap = std::unordered_map<String, Variant, FoldedHash, FoldedEqual>;

// Google Benchmark calls a benchmark function again for every trial run while
// it settles the iteration count, and for every repetition; the inputs of each
// size are built once and kept for the program's life, per call site (each
// call site passes its own lambda, so each has its own store).
template <class T, class Make>
const T& kept(Long n, Make make) {
  static std::map<Long, T> bySize;
  auto found = bySize.find(n);
  if (found == bySize.end()) found = bySize.emplace(n, make(n)).first;
  return found->second;
}

std::vector<Variant> makeKeys(Long n) {
  std::vector<Variant> keys;
  keys.reserve(static_cast<std::size_t>(n));
  for (Long i = 0; i < n; ++i) keys.emplace_back(zs::u16("key" + std::to_string(i)));
  return keys;
}

const std::vector<Variant>& keysFor(Long n) {
  return kept<std::vector<Variant>>(n, [](Long size) { return makeKeys(size); });
}

std::shared_ptr<Collection> filled(Long n, const std::vector<Variant>* keys) {
  auto c = zs::create<Collection>();
  for (Long i = 0; i < n; ++i)
    c->Add(Variant(i), keys ? (*keys)[static_cast<std::size_t>(i)].string() : String());
  return c;
}

template <class M = Map>
M filledMap(Long n, const std::vector<Variant>& keys) {
  M map;
  for (Long i = 0; i < n; ++i) map.emplace(keys[static_cast<std::size_t>(i)].string(), Variant(i));
  return map;
}

std::vector<Variant> filledVector(Long n) {
  std::vector<Variant> values;
  for (Long i = 0; i < n; ++i) values.emplace_back(i);
  return values;
}

Long sizeOf(const benchmark::State& state) { return static_cast<Long>(state.range(0)); }

// A walk over all positions in a scattered order (7919 is prime).
std::size_t scattered(std::int64_t step, Long n) {
  return static_cast<std::size_t>((step * 7919) % n);
}

// The n/10 keys in the middle, the ones the removal benchmarks take out.
std::vector<Variant> middleKeys(const std::vector<Variant>& keys) {
  const std::size_t n = keys.size(), removals = n / 10;
  return {keys.begin() + static_cast<std::ptrdiff_t>(n / 2 - removals / 2),
          keys.begin() + static_cast<std::ptrdiff_t>(n / 2 - removals / 2 + removals)};
}

// Builds a container of n elements per iteration with `fill`; the container is
// released outside the timed region.
template <class Fill>
void adding(benchmark::State& state, Fill fill) {
  const Long n = sizeOf(state);
  AllocationMeter meter;
  for (auto _ : state) {
    meter.start();
    auto container = fill(n);
    meter.stop();
    benchmark::ClobberMemory();
    state.PauseTiming();
    { auto released = std::move(container); }
    state.ResumeTiming();
  }
  meter.report(state, static_cast<double>(n));
  state.SetItemsProcessed(state.iterations() * n);
}

void BM_Collection_AddKeyed(benchmark::State& state) {
  const auto& keys = keysFor(sizeOf(state));
  adding(state, [&](Long n) { return filled(n, &keys); });
}
void BM_Map_AddKeyed(benchmark::State& state) {
  const auto& keys = keysFor(sizeOf(state));
  adding(state, [&](Long n) { return filledMap(n, keys); });
}
void BM_Collection_AddUnkeyed(benchmark::State& state) {
  adding(state, [](Long n) { return filled(n, nullptr); });
}
void BM_Vector_AddUnkeyed(benchmark::State& state) { adding(state, filledVector); }

// One fetch per iteration, at scattered positions or keys.
template <class Fetch>
void fetching(benchmark::State& state, Fetch fetch) {
  const Long n = sizeOf(state);
  std::int64_t step = 0;
  zs::bench::runCountingAllocations(state, [&] {
    Variant v = fetch(scattered(step++, n));
    benchmark::DoNotOptimize(v);
  });
  state.SetItemsProcessed(state.iterations());
}

void BM_Collection_ItemByPosition(benchmark::State& state) {
  const auto& c =
      kept<std::shared_ptr<Collection>>(sizeOf(state), [](Long n) { return filled(n, nullptr); });
  fetching(state, [&](std::size_t i) { return c->Item(Variant(static_cast<Long>(i) + 1)); });
}
void BM_Vector_ItemByPosition(benchmark::State& state) {
  const auto& values =
      kept<std::vector<Variant>>(sizeOf(state), [](Long n) { return filledVector(n); });
  fetching(state, [&](std::size_t i) { return values[i]; });
}
void BM_Collection_ItemByKey(benchmark::State& state) {
  const auto& keys = keysFor(sizeOf(state));
  const auto& c =
      kept<std::shared_ptr<Collection>>(sizeOf(state), [&](Long n) { return filled(n, &keys); });
  fetching(state, [&](std::size_t i) { return c->Item(keys[i]); });
}
void BM_Map_ItemByKey(benchmark::State& state) {
  const auto& keys = keysFor(sizeOf(state));
  const auto& map = kept<Map>(sizeOf(state), [&](Long n) { return filledMap(n, keys); });
  fetching(state, [&](std::size_t i) { return map.find(keys[i].string())->second; });
}
void BM_FoldingMap_ItemByKey(benchmark::State& state) {
  const auto& keys = keysFor(sizeOf(state));
  const auto& map =
      kept<FoldingMap>(sizeOf(state), [&](Long n) { return filledMap<FoldingMap>(n, keys); });
  fetching(state, [&](std::size_t i) { return map.find(keys[i].string())->second; });
}

// Removes the n/10 middle keys one by one from a freshly filled container.
template <class Fill, class RemoveAll>
void removing(benchmark::State& state, Fill fill, RemoveAll removeAll) {
  const Long n = sizeOf(state);
  AllocationMeter meter;
  for (auto _ : state) {
    state.PauseTiming();
    auto container = fill(n);
    state.ResumeTiming();
    meter.start();
    removeAll(container);
    meter.stop();
    state.PauseTiming();
    { auto released = std::move(container); }
    state.ResumeTiming();
  }
  meter.report(state, static_cast<double>(n / 10));
  state.SetItemsProcessed(state.iterations() * (n / 10));
}

void BM_Collection_RemoveByKey(benchmark::State& state) {
  const auto& keys = keysFor(sizeOf(state));
  const auto doomed = middleKeys(keys);
  removing(
      state, [&](Long n) { return filled(n, &keys); },
      [&](const std::shared_ptr<Collection>& c) {
        for (const Variant& key : doomed) c->Remove(key);
      });
}
void BM_Map_RemoveByKey(benchmark::State& state) {
  const auto& keys = keysFor(sizeOf(state));
  const auto doomed = middleKeys(keys);
  removing(
      state, [&](Long n) { return filledMap(n, keys); },
      [&](Map& map) {
        for (const Variant& key : doomed) map.erase(key.string());
      });
}

// Empties a keyed collection of n elements by always removing position 1.
void BM_Collection_RemoveFront(benchmark::State& state) {
  const auto& keys = keysFor(sizeOf(state));
  const Variant first(Long{1});
  AllocationMeter meter;
  for (auto _ : state) {
    state.PauseTiming();
    auto c = filled(sizeOf(state), &keys);
    state.ResumeTiming();
    meter.start();
    while (c->Count() > 0) c->Remove(first);
    meter.stop();
    benchmark::DoNotOptimize(c->Count());
  }
  meter.report(state, static_cast<double>(sizeOf(state)));
  state.SetItemsProcessed(state.iterations() * sizeOf(state));
}

#define SIZES Arg(1000)->Arg(100000)->Arg(1000000)
BENCHMARK(BM_Collection_AddKeyed)->SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Map_AddKeyed)->SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Collection_AddUnkeyed)->SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Vector_AddUnkeyed)->SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Collection_ItemByPosition)->SIZES;
BENCHMARK(BM_Vector_ItemByPosition)->SIZES;
BENCHMARK(BM_Collection_ItemByKey)->SIZES;
BENCHMARK(BM_Map_ItemByKey)->SIZES;
BENCHMARK(BM_FoldingMap_ItemByKey)->SIZES;
// Every iteration of a removal refills the container untimed; a short minimum
// time keeps the refills from dominating the run.
BENCHMARK(BM_Collection_RemoveByKey)->SIZES->MinTime(0.02)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Map_RemoveByKey)->SIZES->MinTime(0.02)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Collection_RemoveFront)->SIZES->MinTime(0.02)->Unit(benchmark::kMillisecond);
#undef SIZES

}  // namespace
