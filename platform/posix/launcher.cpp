#include "platform/posix/launcher.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;

namespace zs::platform::posix {
namespace {

UniqueFd pidfdOf(pid_t pid) {
#ifdef SYS_pidfd_open
  return UniqueFd(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));
#else
  (void)pid;
  return UniqueFd();
#endif
}

// Waits for a child of this process, retrying after signals.
int reap(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool writeAll(int fd, const void* data, std::size_t size) {
  const auto* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool readAll(int fd, void* data, std::size_t size) {
  auto* p = static_cast<char*>(data);
  while (size > 0) {
    const ssize_t n = ::read(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// Everything posix_spawnp needs, prepared before any fork: the argument
// vector, the descriptor actions and the attributes.
class SpawnPlan {
 public:
  // `output`: the descriptor that becomes standard output, or -1 for /dev/null.
  SpawnPlan(const std::vector<std::string>& argv, int output, bool newSession, StartPlace place = {})
      : searchPath_(place.searchPath) {
    for (const auto& a : argv) pointers_.push_back(const_cast<char*>(a.c_str()));
    pointers_.push_back(nullptr);
    ::posix_spawn_file_actions_init(&actions_);
    ::posix_spawnattr_init(&attributes_);
    ok_ = !argv.empty() && !argv[0].empty() &&
          ::posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0) == 0 &&
          (output >= 0 ? ::posix_spawn_file_actions_adddup2(&actions_, output, 1)
                       : ::posix_spawn_file_actions_addopen(&actions_, 1, "/dev/null", O_WRONLY, 0)) == 0 &&
          ::posix_spawn_file_actions_addclosefrom_np(&actions_, 3) == 0 &&
          (!place.folder || ::posix_spawn_file_actions_addchdir_np(&actions_, place.folder) == 0);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    if (newSession) flags |= POSIX_SPAWN_SETSID;
    ok_ = ok_ && ::posix_spawnattr_setsigmask(&attributes_, &none) == 0 &&
          ::posix_spawnattr_setsigdefault(&attributes_, &all) == 0 &&
          ::posix_spawnattr_setflags(&attributes_, flags) == 0;
  }
  ~SpawnPlan() {
    ::posix_spawn_file_actions_destroy(&actions_);
    ::posix_spawnattr_destroy(&attributes_);
  }
  SpawnPlan(const SpawnPlan&) = delete;
  SpawnPlan& operator=(const SpawnPlan&) = delete;

  // The errno of the start, 0 on success.
  int spawn(pid_t& pid) const {
    if (!ok_) return EINVAL;
    return searchPath_ ? ::posix_spawnp(&pid, pointers_[0], &actions_, &attributes_, pointers_.data(), environ)
                       : ::posix_spawn(&pid, pointers_[0], &actions_, &attributes_, pointers_.data(), environ);
  }

 private:
  std::vector<char*> pointers_;
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
  bool searchPath_;
  bool ok_ = false;
};

}  // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.release();
  }
  return *this;
}

UniqueFd::~UniqueFd() {
  if (fd_ >= 0) ::close(fd_);
}

Started startDetached(const std::vector<std::string>& argv, StartPlace place) {
  const SpawnPlan plan(argv, -1, true, place);
  int report[2], resume[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return {errno, {}};
  UniqueFd reportRead(report[0]), reportWrite(report[1]);
  if (::pipe2(resume, O_CLOEXEC) != 0) return {errno, {}};
  UniqueFd resumeRead(resume[0]), resumeWrite(resume[1]);

  const pid_t middle = ::fork();
  if (middle < 0) return {errno, {}};
  if (middle == 0) {
    // The intermediate: start the program, tell its pid (or the failure),
    // and stay until the parent has taken hold of it, so that the pid cannot
    // be reused in between. Only async-signal-safe calls and _exit here.
    ::close(report[0]);
    ::close(resume[1]);  // else the wait below never sees the end of the pipe
    pid_t pid = 0;
    const int error = plan.spawn(pid);
    const long long message[2] = {error, pid};
    writeAll(report[1], message, sizeof message);
    char go = 0;
    readAll(resume[0], &go, 1);
    ::_exit(0);
  }
  reportWrite = UniqueFd();
  resumeRead = UniqueFd();
  long long message[2] = {ECHILD, 0};
  const bool told = readAll(reportRead.get(), message, sizeof message);
  Started started;
  started.error = told ? static_cast<int>(message[0]) : ECHILD;
  if (started.error == 0) {
    started.pid = static_cast<long>(message[1]);
    started.process = pidfdOf(static_cast<pid_t>(message[1]));
  }
  resumeWrite = UniqueFd();  // lets the intermediate end
  reap(middle);
  return started;
}

Finished runToEnd(const std::vector<std::string>& argv, std::size_t limit) {
  Finished finished;
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) {
    finished.error = errno;
    return finished;
  }
  UniqueFd readEnd(out[0]), writeEnd(out[1]);
  pid_t pid = 0;
  {
    const SpawnPlan plan(argv, writeEnd.get(), false);
    finished.error = plan.spawn(pid);
  }
  writeEnd = UniqueFd();
  if (finished.error != 0) return finished;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(readEnd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    const std::size_t room = limit - std::min(limit, finished.output.size());
    finished.output.append(buffer, std::min(room, static_cast<std::size_t>(n)));
  }
  finished.exitStatus = reap(pid);
  return finished;
}

void StartedPrograms::add(UniqueFd process) {
  if (!process) return;
  const std::lock_guard lock(mutex_);
  programs_.push_back(std::move(process));
}

void StartedPrograms::endAll() {
  std::vector<UniqueFd> programs;
  {
    const std::lock_guard lock(mutex_);
    programs.swap(programs_);
  }
#ifdef SYS_pidfd_send_signal
  // A pidfd names its process for good: a program that has ended already is
  // not replaced by another with the same pid.
  for (const auto& p : programs) ::syscall(SYS_pidfd_send_signal, p.get(), SIGTERM, nullptr, 0);
#endif
}

std::size_t StartedPrograms::size() {
  const std::lock_guard lock(mutex_);
  return programs_.size();
}

}  // namespace zs::platform::posix
