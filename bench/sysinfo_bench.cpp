// The system-information reads that ask the Linux system afresh: a locale
// item from ICU per read (DateFormat opens a date formatter, NumberFormat a
// number formatter twice) and the memory snapshot of ZSMemory's Initialize
// (three proc files).
#include <benchmark/benchmark.h>

#include "bench/allocation_meter.h"
#include "sysinfo/locale_settings.h"
#include "sysinfo/memory.h"

namespace zs {
namespace {

using bench::runCountingAllocations;

void BM_LocaleSettings_DateFormat(benchmark::State& state) {
  auto settings = create<LocaleSettings>();
  runCountingAllocations(state, [&] { benchmark::DoNotOptimize(settings->DateFormat()); });
}
BENCHMARK(BM_LocaleSettings_DateFormat);

void BM_LocaleSettings_NumberFormat(benchmark::State& state) {
  auto settings = create<LocaleSettings>();
  runCountingAllocations(state, [&] { benchmark::DoNotOptimize(settings->NumberFormat()); });
}
BENCHMARK(BM_LocaleSettings_NumberFormat);

void BM_Memory_Initialize(benchmark::State& state) {
  runCountingAllocations(state, [&] { benchmark::DoNotOptimize(create<Memory>()); });
}
BENCHMARK(BM_Memory_Initialize);

}  // namespace
}  // namespace zs
