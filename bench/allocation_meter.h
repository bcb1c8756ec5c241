// Counting heap allocations inside a benchmark's timed region. The benchmark
// programs link counting_allocator.cpp, which replaces the global operator
// new with one that counts the calls made by each thread.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>

namespace zs::bench {

// How many times this thread has called operator new (any form) so far.
std::size_t allocationsOnThisThread();

// Sums the allocations between start() and stop() pairs and reports them as
// the counter "allocs_per_op": allocations per iteration, divided by the
// number of operations one iteration performs.
class AllocationMeter {
 public:
  void start() { begin_ = allocationsOnThisThread(); }
  void stop() { total_ += allocationsOnThisThread() - begin_; }

  // Allocations counted so far.
  std::size_t total() const { return total_; }

  void report(benchmark::State& state, double operationsPerIteration = 1.0) const {
    state.counters["allocs_per_op"] = benchmark::Counter(
        static_cast<double>(total_) / operationsPerIteration, benchmark::Counter::kAvgIterations);
  }

 private:
  std::size_t begin_ = 0;
  std::size_t total_ = 0;
};

// Runs `call` once per iteration and reports its allocations per call.
template <class Call>
void runCountingAllocations(benchmark::State& state, Call&& call) {
  AllocationMeter meter;
  meter.start();
  for (auto _ : state) call();
  meter.stop();
  meter.report(state);
}

}  // namespace zs::bench
