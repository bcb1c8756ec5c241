// The one way the Linux backends start another program. A program is started
// with posix_spawn (looked up on PATH unless the caller gives its path) from
// an argument vector, never through a shell, so every element reaches it
// verbatim as one argument. It inherits no descriptor but standard error
// (standard input reads /dev/null; standard output is /dev/null or a pipe
// that the caller reads), starts in the folder "/" (or the one the caller
// names) with default signal handling, and is never left behind as a zombie:
// a program that runs on by itself is started by a short-lived intermediate
// process, which this process reaps at once, so no thread and no signal
// handler is needed.
#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

namespace zs::platform::posix {

// A descriptor closed when it goes out of scope.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd();
  int get() const { return fd_; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  explicit operator bool() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

struct Started {
  int error = 0;      // 0, or the errno of the failed start (ENOENT: no such program)
  UniqueFd process;   // a pidfd of the started program, when the kernel offers one
  long pid = 0;       // its process id, when started
};

// Where a detached program starts.
struct StartPlace {
  const char* folder = "/";  // its working folder; null: this process's own
  bool searchPath = true;    // argv[0] is looked up on PATH (else used as the path it is)
};

// Starts argv[0] with `argv` in a session of its own and returns without
// waiting for it.
Started startDetached(const std::vector<std::string>& argv, StartPlace place = {});

struct Finished {
  int error = 0;        // 0, or the errno of the failed start
  int exitStatus = -1;  // the exit status; -1 when it ended by a signal
  std::string output;   // its standard output, cut at the caller's limit
};

// Runs argv[0] with `argv` to its end and returns what it wrote on standard
// output, at most `limit` bytes (the rest is read and dropped so that the
// program never blocks on a full pipe).
Finished runToEnd(const std::vector<std::string>& argv, std::size_t limit);

// Programs this process started and may end again (help viewers).
class StartedPrograms {
 public:
  void add(UniqueFd process);
  // Sends SIGTERM to every program still running and forgets them all.
  void endAll();
  std::size_t size();

 private:
  std::mutex mutex_;
  std::vector<UniqueFd> programs_;
};

}  // namespace zs::platform::posix
