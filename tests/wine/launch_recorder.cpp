// Stands in for the browser and the mail program in the test's own Wine
// prefix (run.sh registers it as the handler of http, https and mailto, and
// about_capture.sh as the handler of http and mailto): it
// appends its command line after the program name, as the system passed it,
// with CR LF to "launches.txt" beside itself, and ends. Nothing is opened.
#include <windows.h>

#include <string>

namespace {

// The command line after the program name and the blanks that follow it.
const char* afterProgram(const char* line) {
  if (*line == '"') {
    ++line;
    while (*line && *line != '"') ++line;
    if (*line) ++line;
  } else {
    while (*line && *line != ' ' && *line != '\t') ++line;
  }
  while (*line == ' ' || *line == '\t') ++line;
  return line;
}

}  // namespace

int main() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 2;
  std::string log(path, length);
  log = log.substr(0, log.find_last_of('\\') + 1) + "launches.txt";
  const std::string line = std::string(afterProgram(GetCommandLineA())) + "\r\n";
  // One write per launch, so a reader never sees half a line. The test reads
  // the file meanwhile, perhaps without sharing it: a few tries, briefly.
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int tries = 0; tries < 500 && file == INVALID_HANDLE_VALUE; ++tries) {
    file = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_SHARING_VIOLATION) return 1;
    if (file == INVALID_HANDLE_VALUE) Sleep(10);
  }
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == line.size() ? 0 : 1;
}
