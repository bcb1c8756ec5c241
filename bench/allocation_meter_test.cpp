// The counting operator new of the benchmark programs: every form of
// allocation counts once, on the thread that made it, and the meter sums only
// what happens between start() and stop().
#include "bench/allocation_meter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <thread>
#include <vector>

namespace zs::bench {
namespace {

struct alignas(64) Wide {
  char c = 0;
};

// Keeps the optimiser from removing an allocation that is never used.
template <class T>
void keep(const std::unique_ptr<T>& p) {
  benchmark::DoNotOptimize(p.get());
}

std::size_t countOf(const std::function<void()>& work) {
  const std::size_t before = allocationsOnThisThread();
  work();
  return allocationsOnThisThread() - before;
}

TEST(CountingAllocator, CountsEveryFormOnce) {
  struct Case {
    const char* name;
    std::function<void()> work;
    std::size_t allocations;
  };
  const std::vector<Case> cases = {
      {"single object", [] { keep(std::make_unique<int>(1)); }, 1},
      {"array", [] { keep(std::make_unique<int[]>(10)); }, 1},
      {"over-aligned object",
       [] {
         auto p = std::make_unique<Wide>();
         EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p.get()) % 64, 0u);
       },
       1},
      {"nothrow", [] { keep(std::unique_ptr<int>(new (std::nothrow) int(1))); }, 1},
      {"vector reserve then fill",
       [] {
         std::vector<int> v;
         v.reserve(100);
         for (int i = 0; i < 100; ++i) v.push_back(i);
         benchmark::DoNotOptimize(v.data());
       },
       1},
      {"short string stays inline",
       [] {
         std::string s = "abc";
         benchmark::DoNotOptimize(s.data());
       },
       0},
      {"zero-size request", [] { keep(std::make_unique<int[]>(0)); }, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(countOf(c.work), c.allocations) << c.name;
}

TEST(CountingAllocator, OtherThreadsDoNotCountHere) {
  const std::size_t before = allocationsOnThisThread();
  std::size_t onTheOtherThread = 0;
  std::thread worker([&] { onTheOtherThread = countOf([] { keep(std::make_unique<int>(1)); }); });
  const std::size_t afterStart = allocationsOnThisThread();  // starting a thread may allocate
  worker.join();
  EXPECT_EQ(onTheOtherThread, 1u);
  EXPECT_EQ(allocationsOnThisThread(), afterStart);
  EXPECT_GE(afterStart, before);
}

TEST(AllocationMeter, SumsOnlyTheMeasuredStretches) {
  AllocationMeter meter;
  for (int round = 0; round < 3; ++round) {
    meter.start();
    keep(std::make_unique<int>(round));
    meter.stop();
    keep(std::make_unique<int>(round));  // between stretches: not counted
  }
  EXPECT_EQ(meter.total(), 3u);
}

}  // namespace
}  // namespace zs::bench
