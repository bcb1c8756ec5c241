// What a message box costs before its window appears: laying it out with
// pango's metrics (one line, and the most text it measures, which wraps and
// is clipped) and drawing the laid-out window with cairo.
#include <benchmark/benchmark.h>

#include <string>

#include "branding/message_box_layout.h"
#include "branding/posix/cairo_renderer.h"
#include "branding/posix/pango_text.h"

namespace zs::branding {
namespace {

std::string textOf(std::size_t bytes) {
  std::string text;
  while (text.size() < bytes) text += "The quick brown fox jumps over the lazy dog. ";
  text.resize(bytes);
  return text;
}

void BM_MessageBox_Layout(benchmark::State& state) {
  const std::string text = textOf(static_cast<std::size_t>(state.range(0)));
  posix::PangoMeasurer measurer;
  for (auto _ : state)
    benchmark::DoNotOptimize(layMessageBox(text, "Caption", platform::kMbYesNoCancel | platform::kMbIconQuestion, measurer));
}
BENCHMARK(BM_MessageBox_Layout)->Arg(46)->Arg(kMessageTextMaxBytes)->Unit(benchmark::kMicrosecond);

void BM_MessageBox_Render(benchmark::State& state) {
  posix::PangoMeasurer measurer;
  const Window w = layMessageBox(textOf(static_cast<std::size_t>(state.range(0))), "Caption",
                                 platform::kMbYesNoCancel | platform::kMbIconQuestion, measurer)
                       .window;
  for (auto _ : state) benchmark::DoNotOptimize(posix::renderWindow(w));
}
BENCHMARK(BM_MessageBox_Render)->Arg(46)->Arg(kMessageTextMaxBytes)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zs::branding
