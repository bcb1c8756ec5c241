// Cost of the shared Variant rules on the values members compute with most.
#include <benchmark/benchmark.h>

#include "core/variant_ops.h"

namespace zs {
namespace {

void BM_AddInteger(benchmark::State& state) {
  Variant a(Integer{1200}), b(Integer{34});
  for (auto _ : state) benchmark::DoNotOptimize(add(a, b));
}
BENCHMARK(BM_AddInteger);

void BM_AddLongPromotesToDouble(benchmark::State& state) {
  Variant a(Long{2147483647}), b(Long{1});
  for (auto _ : state) benchmark::DoNotOptimize(add(a, b));
}
BENCHMARK(BM_AddLongPromotesToDouble);

void BM_MultiplyCurrency(benchmark::State& state) {
  Variant a(Currency::fromScaled(123456789)), b(Currency::fromScaled(98765));
  for (auto _ : state) benchmark::DoNotOptimize(multiply(a, b));
}
BENCHMARK(BM_MultiplyCurrency);

void BM_AddStringAndNumber(benchmark::State& state) {
  Variant a(u"1234.5"), b(Integer{1});
  for (auto _ : state) benchmark::DoNotOptimize(add(a, b));
}
BENCHMARK(BM_AddStringAndNumber);

void BM_ConcatStrings(benchmark::State& state) {
  Variant a(u"HKEY_LOCAL_MACHINE\\Software"), b(u"\\Microsoft\\Windows\\CurrentVersion");
  for (auto _ : state) benchmark::DoNotOptimize(concat(a, b));
}
BENCHMARK(BM_ConcatStrings);

void BM_ConcatStringAndDouble(benchmark::State& state) {
  Variant a(u"Total: "), b(3.14159265358979);
  for (auto _ : state) benchmark::DoNotOptimize(concat(a, b));
}
BENCHMARK(BM_ConcatStringAndDouble);

void BM_ParseDouble(benchmark::State& state) {
  const String text = u"  -12345.678901E-3 ";
  for (auto _ : state) benchmark::DoNotOptimize(parseDouble(text));
}
BENCHMARK(BM_ParseDouble);

void BM_ParseLongHex(benchmark::State& state) {
  const String text = u"&H7FFFFFFF";
  for (auto _ : state) benchmark::DoNotOptimize(parseLong(text));
}
BENCHMARK(BM_ParseLongHex);

void BM_ParseCurrency(benchmark::State& state) {
  const String text = u"922337203685.47755";
  for (auto _ : state) benchmark::DoNotOptimize(parseCurrency(text));
}
BENCHMARK(BM_ParseCurrency);

void BM_FormatDouble(benchmark::State& state) {
  Variant v(1125899906842623.0);
  for (auto _ : state) benchmark::DoNotOptimize(toText(v));
}
BENCHMARK(BM_FormatDouble);

void BM_FormatLong(benchmark::State& state) {
  Variant v(Long{-2147483647});
  for (auto _ : state) benchmark::DoNotOptimize(toText(v));
}
BENCHMARK(BM_FormatLong);

void BM_FormatCurrency(benchmark::State& state) {
  Variant v(Currency::fromScaled(12345678));
  for (auto _ : state) benchmark::DoNotOptimize(toText(v));
}
BENCHMARK(BM_FormatCurrency);

}  // namespace
}  // namespace zs
