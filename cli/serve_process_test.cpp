// zavrin serve as a process: how it ends when its reader goes away, and that
// it ends clean (the sanitizer build checks for leaks at exit).
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

extern char** environ;

namespace zs::cli {
namespace {

struct Ended {
  int status = -1;  // exit status, or -1 when ended by a signal
  int signal = 0;
  std::string out, err;
};

std::string drain(int fd) {
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
  close(fd);
  return text;
}

// Runs `zavrin serve` over `input`; with `readerGone` its standard output is a
// pipe whose reading end is already closed.
Ended serve(const std::string& input, bool readerGone) {
  const int in = memfd_create("requests", 0);
  EXPECT_GE(in, 0);
  EXPECT_EQ(write(in, input.data(), input.size()), static_cast<ssize_t>(input.size()));
  lseek(in, 0, SEEK_SET);
  int out[2], err[2];
  EXPECT_EQ(pipe(out), 0);
  EXPECT_EQ(pipe(err), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in, 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err[1], 2);
  for (int fd : {in, out[0], out[1], err[0], err[1]}) posix_spawn_file_actions_addclose(&actions, fd);
  // The child starts with SIGPIPE at its default, whatever this test runner does.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  char program[] = ZS_ZAVRIN_COMMAND;
  char name[] = "zavrin", command[] = "serve";
  char* argv[] = {name, command, nullptr};
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program, &actions, &attributes, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  close(in);
  close(out[1]);
  close(err[1]);
  Ended ended;
  if (readerGone) close(out[0]);
  EXPECT_EQ(spawned, 0);
  if (spawned != 0) return ended;
  if (!readerGone) ended.out = drain(out[0]);
  ended.err = drain(err[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) ended.status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) ended.signal = WTERMSIG(status);
  return ended;
}

TEST(ServeProcess, EndsWithStatusOneWhenItsReaderGoesAway) {
  std::string input;
  for (int i = 0; i < 1000; ++i)
    input += R"({"id":1,"op":"create","class":"ZSNumbers"})" "\n";
  const Ended ended = serve(input, true);
  EXPECT_EQ(ended.signal, 0);
  EXPECT_EQ(ended.status, 1) << ended.err;
}

TEST(ServeProcess, CyclesMadeByTheClientAreGoneAtTheEnd) {
  // A Collection holding itself and its enumerator, a stack holding itself;
  // the client releases nothing. The sanitizer build fails the exit on a leak.
  const std::string input = R"({"id":1,"op":"create","class":"Collection"}
{"id":2,"op":"invoke","handle":1,"member":"Add","args":[{"type":"Object","handle":1}]}
{"id":3,"op":"invoke","handle":1,"dispid":-4}
{"id":4,"op":"invoke","handle":1,"member":"Add","args":[{"type":"Object","handle":2}]}
{"id":5,"op":"create","class":"ZSStack"}
{"id":6,"op":"invoke","handle":3,"member":"Push","args":[{"type":"Object","handle":3}]}
{"id":7,"op":"release","handle":3}
)";
  const Ended ended = serve(input, false);
  EXPECT_EQ(ended.signal, 0);
  EXPECT_EQ(ended.status, 0);
  EXPECT_EQ(ended.err.substr(0, 2000), "");  // a leak report starts with what was leaked
  EXPECT_EQ(ended.out.find("\"ok\":false"), std::string::npos) << ended.out;
}

}  // namespace
}  // namespace zs::cli
