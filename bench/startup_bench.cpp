// Process start-up: `zavrin call ZSNumbers BinToDec 101` against /bin/true,
// and the floor below which the command cannot start: an empty main linked
// against the same shared libraries (startup_floor.cpp).
// Each iteration starts the program with posix_spawn (output to /dev/null)
// and waits for it; the time is wall-clock time. Counters: fastest_us and
// median_us, the fastest and the median single start (on a machine that other
// work shares, the fastest start is the steadiest figure), and child_cpu_us,
// the CPU time (user and system) each started process used.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <string>
#include <vector>

extern char** environ;

namespace {

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; }

// Starts argv[0] and waits for it, adding the CPU time it used to `cpuSeconds`;
// the error text, or empty when it ran and exited with status 0.
std::string runOnce(char* const argv[], double& cpuSeconds) {
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return "posix_spawn_file_actions_init failed";
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return std::string("cannot start ") + argv[0];
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, 0, &usage) < 0) {
    if (errno != EINTR) return "wait4 failed";
  }
  cpuSeconds += seconds(usage.ru_utime) + seconds(usage.ru_stime);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return std::string(argv[0]) + " did not exit with status 0";
  return {};
}

void spawning(benchmark::State& state, char* const argv[]) {
  double cpuSeconds = 0;
  std::vector<double> startsUs;
  for (auto _ : state) {
    const auto begin = std::chrono::steady_clock::now();
    const std::string failure = runOnce(argv, cpuSeconds);
    startsUs.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - begin)
            .count());
    if (!failure.empty()) {
      state.SkipWithError(failure.c_str());
      return;
    }
  }
  std::sort(startsUs.begin(), startsUs.end());
  state.counters["fastest_us"] = startsUs.front();
  state.counters["median_us"] = startsUs[startsUs.size() / 2];
  state.counters["child_cpu_us"] =
      benchmark::Counter(cpuSeconds * 1e6, benchmark::Counter::kAvgIterations);
}

void BM_Startup_ZavrinCall(benchmark::State& state) {
  char program[] = ZS_ZAVRIN_COMMAND;
  char call[] = "call", cls[] = "ZSNumbers", member[] = "BinToDec", value[] = "101";
  char* const argv[] = {program, call, cls, member, value, nullptr};
  spawning(state, argv);
}
BENCHMARK(BM_Startup_ZavrinCall)->UseRealTime()->Unit(benchmark::kMicrosecond);

void BM_Startup_LibraryFloor(benchmark::State& state) {
  char program[] = ZS_STARTUP_FLOOR;
  char* const argv[] = {program, nullptr};
  spawning(state, argv);
}
BENCHMARK(BM_Startup_LibraryFloor)->UseRealTime()->Unit(benchmark::kMicrosecond);

void BM_Startup_BinTrue(benchmark::State& state) {
  char program[] = "/bin/true";
  char* const argv[] = {program, nullptr};
  spawning(state, argv);
}
BENCHMARK(BM_Startup_BinTrue)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace
