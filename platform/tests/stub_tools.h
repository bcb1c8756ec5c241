// Stand-ins for the desktop's programs (xdg-open, xdg-email, zenity,
// kdialog) in a folder of their own that becomes PATH for the test. Each
// records its arguments (NUL-separated), its working folder and the targets
// of its open descriptors in a file per run, prints $ZS_STUB_ANSWER and exits
// with $ZS_STUB_STATUS.
#pragma once

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/testing/scoped_variable.h"
#include "platform/testing/temp_folder.h"

namespace zs::platform::testsupport {

struct StubRun {
  std::vector<std::string> args;
  std::string cwd;
  std::string descriptors;  // one target per line
};

class StubTools {
 public:
  explicit StubTools(const std::vector<std::string>& names)
      : bin_(folder_.path() + "/bin"), records_(folder_.path() + "/records"),
        path_("PATH", bin_ + ":/usr/bin:/bin"), record_("ZS_STUB_RECORD", records_) {
    std::filesystem::create_directories(bin_);
    std::filesystem::create_directories(records_);
    for (const auto& name : names) {
      const std::string file = bin_ + "/" + name;
      std::ofstream(file) << R"(#!/bin/sh
name=${0##*/}
rec=$(mktemp "$ZS_STUB_RECORD/$name.XXXXXX") || exit 99
printf '%s\0' "$@" > "$rec.tmp"
pwd > "$rec.cwd"
for f in /proc/$$/fd/*; do readlink "$f"; done > "$rec.fds"
mv "$rec.tmp" "$rec.args"
[ -n "$ZS_STUB_ANSWER" ] && printf '%s\n' "$ZS_STUB_ANSWER"
exit "${ZS_STUB_STATUS:-0}"
)";
      std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    }
  }

  const std::string& folder() const { return folder_.path(); }

  // The finished runs of `name`, waiting up to ten seconds for `count` of them
  // (a detached program finishes on its own time).
  std::vector<StubRun> runs(const std::string& name, std::size_t count = 1) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
      std::vector<StubRun> found = collect(name);
      if (found.size() >= count || std::chrono::steady_clock::now() > deadline) return found;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }

  // Every run of every stub so far, without waiting.
  std::size_t allRuns() const {
    std::size_t n = 0;
    for (const auto& e : std::filesystem::directory_iterator(records_)) {
      n += e.path().extension() == ".args";
    }
    return n;
  }

 private:
  static std::string slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }

  std::vector<StubRun> collect(const std::string& name) const {
    std::vector<StubRun> found;
    for (const auto& e : std::filesystem::directory_iterator(records_)) {
      const auto p = e.path();
      if (p.extension() != ".args" || p.stem().string().rfind(name + ".", 0) != 0) continue;
      StubRun run;
      const std::string raw = slurp(p);
      for (std::size_t at = 0; at < raw.size();) {
        const std::size_t end = raw.find('\0', at);
        run.args.push_back(raw.substr(at, end - at));
        at = end + 1;
      }
      auto base = p;
      base.replace_extension();
      run.cwd = slurp(base.string() + ".cwd");
      if (!run.cwd.empty()) run.cwd.pop_back();
      run.descriptors = slurp(base.string() + ".fds");
      found.push_back(std::move(run));
    }
    return found;
  }

  TempFolder folder_;
  std::string bin_, records_;
  ScopedVariable path_, record_;
};

}  // namespace zs::platform::testsupport
