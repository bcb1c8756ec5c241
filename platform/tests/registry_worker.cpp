// A separate process using the registry store, driven by the store tests.
//
//   platform_registry_worker [--uid N] write TAG COUNT
//     sets COUNT values TAG-0, TAG-1... (REG_DWORD i) under
//     HKEY_CURRENT_USER\Load\Shared, printing i on its own line once the
//     write of value i has returned success;
//   platform_registry_worker [--uid N] probe
//     prints the statuses of reads and writes under
//     HKEY_LOCAL_MACHINE\Software\Probe;
//   platform_registry_worker [--uid N] query PATH NAME
//     prints the status of reading the string value NAME of
//     HKEY_CURRENT_USER\PATH and, after a blank, its text;
//   platform_registry_worker [--uid N] set PATH NAME TEXT
//     prints the status of writing it (RegCreateKeyA, then RegSetValueExA).
// With --uid the process first changes to that user (and its group).
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/libraries.h"

using namespace zs::platform;

namespace {

void report(const std::string& line) {
  const std::string text = line + "\n";
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(STDOUT_FILENO, text.data() + done, text.size() - done);
    if (n <= 0) std::exit(3);
    done += static_cast<std::size_t>(n);
  }
}

int write(Advapi32& api, const std::string& tag, long count) {
  HKEY key = 0;
  if (const LONG s = api.RegCreateKeyA(kHkeyCurrentUser, "Load\\Shared", &key); s != 0) {
    std::fprintf(stderr, "create: %d\n", s);
    return 2;
  }
  for (long i = 0; i < count; ++i) {
    const std::string name = tag + "-" + std::to_string(i);
    const auto value = static_cast<std::uint32_t>(i);
    BYTE data[4];
    std::memcpy(data, &value, 4);
    if (const LONG s = api.RegSetValueExA(key, name.c_str(), 0, kRegDword, data, 4); s != 0) {
      std::fprintf(stderr, "set %s: %d\n", name.c_str(), s);
      return 2;
    }
    report(std::to_string(i));
  }
  api.RegCloseKey(key);
  return 0;
}

int probe(Advapi32& api) {
  HKEY key = 0;
  std::string line = "open=" + std::to_string(api.RegOpenKeyExA(kHkeyLocalMachine,
                                                                  "Software\\Probe", 0, kKeyRead,
                                                                  &key));
  line += " query=" + std::to_string(api.RegQueryValueExA(key, "v", nullptr, nullptr, nullptr,
                                                           nullptr));
  api.RegCloseKey(key);
  line += " openall=" + std::to_string(api.RegOpenKeyExA(kHkeyLocalMachine, "Software\\Probe", 0,
                                                         kKeyAllAccess, &key));
  api.RegCloseKey(key);
  HKEY created = 0;
  line += " create=" + std::to_string(api.RegCreateKeyA(kHkeyLocalMachine, "Software\\Probe\\New",
                                                        &created));
  api.RegCloseKey(created);
  api.RegCreateKeyA(kHkeyLocalMachine, "Software\\Probe", &key);
  line += " set=" + std::to_string(api.RegSetValueExA(key, "v", 0, kRegBinary,
                                                      reinterpret_cast<const BYTE*>("x"), 1));
  api.RegCloseKey(key);
  line += " delete=" + std::to_string(api.RegDeleteKeyA(kHkeyLocalMachine, "Software\\Probe"));
  report(line);
  return 0;
}

int query(Advapi32& api, const char* path, const char* name) {
  HKEY key = 0;
  LONG s = api.RegOpenKeyExA(kHkeyCurrentUser, path, 0, kKeyRead, &key);
  char data[256] = {};
  DWORD length = sizeof data;
  if (s == 0)
    s = api.RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &length);
  api.RegCloseKey(key);
  report(std::to_string(s) + " " + (s == 0 ? std::string(data) : std::string()));
  return 0;
}

int set(Advapi32& api, const char* path, const char* name, const char* text) {
  HKEY key = 0;
  LONG s = api.RegCreateKeyA(kHkeyCurrentUser, path, &key);
  if (s == 0) {
    s = api.RegSetValueExA(key, name, 0, kRegSz, reinterpret_cast<const BYTE*>(text),
                           static_cast<DWORD>(std::strlen(text)));
  }
  api.RegCloseKey(key);
  report(std::to_string(s));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int arg = 1;
  if (arg + 1 < argc && std::strcmp(argv[arg], "--uid") == 0) {
    const auto uid = static_cast<uid_t>(std::strtoul(argv[arg + 1], nullptr, 10));
    if (setgid(uid) != 0 || setuid(uid) != 0) return 4;
    arg += 2;
  }
  Advapi32& api = *systemLibraries().advapi32;
  if (arg + 2 < argc && std::strcmp(argv[arg], "write") == 0) {
    return write(api, argv[arg + 1], std::strtol(argv[arg + 2], nullptr, 10));
  }
  if (arg < argc && std::strcmp(argv[arg], "probe") == 0) return probe(api);
  if (arg + 2 < argc && std::strcmp(argv[arg], "query") == 0) {
    return query(api, argv[arg + 1], argv[arg + 2]);
  }
  if (arg + 3 < argc && std::strcmp(argv[arg], "set") == 0) {
    return set(api, argv[arg + 1], argv[arg + 2], argv[arg + 3]);
  }
  std::fprintf(stderr,
               "usage: %s [--uid N] write TAG COUNT | probe | query PATH NAME | set PATH NAME "
               "TEXT\n",
               argv[0]);
  return 1;
}
