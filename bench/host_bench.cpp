// The automation host (`zavrin serve`) on in-memory streams, each row beside
// its floor in the same run:
// - a hostile line (an unused field holding millions of empty objects), 1 MiB
//   and 16 MiB, beside reading the same bytes into lines (and, for scale, the
//   JSON library's event parser over the line, building nothing);
// - 100,000 pipelined BinToDec invokes beside an echo of the same lines with
//   the same JSON library (parse and serialise each line);
// - the memory of 100,000 live ZSNumbers created through the host.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <fstream>
#include <sstream>
#include <streambuf>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/host.h"
#include "cli/line_input.h"

namespace {

using zs::cli::Host;
using zs::cli::LineInput;

// Input straight from a string, without copying it.
class MemoryInput : public std::streambuf {
 public:
  explicit MemoryInput(const std::string& text) {
    char* p = const_cast<char*>(text.data());
    setg(p, p, p + text.size());
  }
};

// Output that counts what it is given and keeps nothing.
class Sink : public std::streambuf {
 public:
  std::size_t bytes = 0;

 protected:
  std::streamsize xsputn(const char*, std::streamsize n) override {
    bytes += static_cast<std::size_t>(n);
    return n;
  }
  int_type overflow(int_type c) override {
    ++bytes;
    return traits_type::not_eof(c);
  }
};

std::string hostileLine(std::size_t bytes) {
  std::string line = R"({"id":1,"op":"x","zz":[)";
  line.reserve(bytes + 8);
  while (line.size() + 6 < bytes) line += "{},";
  line += "{}]}\n";
  return line;
}

void serve(const std::string& input, Sink& sink) {
  MemoryInput buffer(input);
  std::istream in(&buffer);
  std::ostream out(&sink);
  Host host(in, out);
  host.run();
}

void BM_HostHostileLine(benchmark::State& state) {
  const std::string input = hostileLine(static_cast<std::size_t>(state.range(0)) << 20);
  for (auto _ : state) {
    Sink sink;
    serve(input, sink);
    benchmark::DoNotOptimize(sink.bytes);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(input.size()));
}

// The floor: the same bytes read into lines, nothing parsed.
void BM_HostReadLineFloor(benchmark::State& state) {
  const std::string input = hostileLine(static_cast<std::size_t>(state.range(0)) << 20);
  for (auto _ : state) {
    MemoryInput buffer(input);
    LineInput lines(buffer, Host::kMaxLineBytes, nullptr);
    std::string_view line;
    while (lines.next(line) != LineInput::Status::End) benchmark::DoNotOptimize(line.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(input.size()));
}

// For scale: the JSON library's own event parser over the same line, building
// nothing (its fastest linear reading).
struct NothingBuilt : nlohmann::json_sax<nlohmann::json> {
  bool null() override { return true; }
  bool boolean(bool) override { return true; }
  bool number_integer(number_integer_t) override { return true; }
  bool number_unsigned(number_unsigned_t) override { return true; }
  bool number_float(number_float_t, const string_t&) override { return true; }
  bool string(string_t&) override { return true; }
  bool binary(binary_t&) override { return true; }
  bool start_object(std::size_t) override { return true; }
  bool key(string_t&) override { return true; }
  bool end_object() override { return true; }
  bool start_array(std::size_t) override { return true; }
  bool end_array() override { return true; }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }
};

void BM_HostHostileLineJsonLibraryEvents(benchmark::State& state) {
  const std::string input = hostileLine(static_cast<std::size_t>(state.range(0)) << 20);
  for (auto _ : state) {
    NothingBuilt events;
    benchmark::DoNotOptimize(
        nlohmann::json::sax_parse(input.data(), input.data() + input.size() - 1, &events));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(input.size()));
}

constexpr int kPipelined = 100'000;

std::string binToDecRequests() {
  std::string input = R"({"id":0,"op":"create","class":"ZSNumbers"})" "\n";
  for (int i = 1; i <= kPipelined; ++i) {
    input += R"({"id":)" + std::to_string(i) +
             R"(,"op":"invoke","handle":1,"member":"BinToDec","args":[{"type":"String","value":"101"}]})"
             "\n";
  }
  return input;
}

void BM_HostPipelinedBinToDec(benchmark::State& state) {
  const std::string input = binToDecRequests();
  for (auto _ : state) {
    Sink sink;
    serve(input, sink);
    benchmark::DoNotOptimize(sink.bytes);
  }
  state.SetItemsProcessed(state.iterations() * kPipelined);
}

// The floor: each line parsed and written back by the JSON library.
void BM_HostPipelinedJsonEcho(benchmark::State& state) {
  const std::string input = binToDecRequests();
  for (auto _ : state) {
    Sink sink;
    std::ostream out(&sink);
    MemoryInput buffer(input);
    LineInput lines(buffer, Host::kMaxLineBytes, [&] { out.flush(); });
    std::string_view line;
    while (lines.next(line) != LineInput::Status::End) {
      out << nlohmann::json::parse(line).dump() << '\n';
    }
    out.flush();
    benchmark::DoNotOptimize(sink.bytes);
  }
  state.SetItemsProcessed(state.iterations() * kPipelined);
}

// A line of /proc/self/status in MiB ("VmRSS", "VmHWM"), 0 when unreadable.
double statusMiB(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field + ":", 0) == 0) return std::stod(line.substr(field.size() + 1)) / 1024.0;
  }
  return 0;
}

// Bytes the allocator has handed out and not taken back, in MiB.
double heapInUseMiB() {
  const struct mallinfo2 m = mallinfo2();
  return static_cast<double>(m.uordblks + m.hblkhd) / (1024.0 * 1024.0);
}

// heap_MiB: what the live objects (with the host's handles) hold, whatever
// the process kept from earlier rows; peak_rss_MiB: the process at its peak
// during the row, earlier rows' retained memory included.
void BM_HostLiveZSNumbers(benchmark::State& state) {
  std::string input;
  for (int i = 0; i < kPipelined; ++i) input += R"({"id":1,"op":"create","class":"ZSNumbers"})" "\n";
  for (auto _ : state) {
    // The peak is taken from here: writing 5 resets the high-water mark.
    std::ofstream("/proc/self/clear_refs") << "5";
    const double before = heapInUseMiB();
    {
      MemoryInput buffer(input);
      std::istream in(&buffer);
      Sink sink;
      std::ostream out(&sink);
      Host host(in, out);
      host.run();
      state.counters["live_objects"] = static_cast<double>(host.handles().size());
      state.counters["heap_MiB"] = heapInUseMiB() - before;
    }
    state.counters["peak_rss_MiB"] = statusMiB("VmHWM");
  }
}

BENCHMARK(BM_HostHostileLine)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HostReadLineFloor)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HostHostileLineJsonLibraryEvents)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HostPipelinedBinToDec)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HostPipelinedJsonEcho)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HostLiveZSNumbers)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
