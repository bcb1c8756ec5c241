// Kernel32Posix: starting a program as a single argument and file attributes.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/last_error.h"
#include "platform/posix/kernel32_posix.h"
#include "platform/testing/temp_folder.h"

namespace zs::platform {
namespace {

TEST(ProcessPosix, FileAttributesTellFilesFoldersAndMissingNames) {
  testsupport::TempFolder dir;
  const std::string file = dir.path() + "/a file";
  testsupport::writeFile(file, "x");
  posix::Kernel32Posix k;
  EXPECT_EQ(k.GetFileAttributesA(file.c_str()), kFileAttributeNormal);
  EXPECT_EQ(k.GetFileAttributesA(dir.path().c_str()), kFileAttributeDirectory);
  EXPECT_EQ(k.GetFileAttributesA((dir.path() + "/missing").c_str()), kInvalidFileAttributes);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(kErrorFileNotFound));
}

// Waits (bounded) for the record a started program writes; "" when none came.
std::string recordOf(const std::string& marker) {
  for (int i = 0; i < 500 && !std::filesystem::exists(marker); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::ifstream in(marker);
  std::string line;
  std::getline(in, line);
  return line;
}

TEST(ProcessPosix, StartsTheProgramPathAsOneArgumentWithoutAShellOrInheritedDescriptors) {
  testsupport::TempFolder dir;
  // A program whose path has a blank and a shell character: it records its
  // argument count, its working folder, where its standard output goes and
  // what its descriptors are.
  const std::string name = "sys info;x";
  const std::string program = dir.path() + "/" + name;
  const std::string marker = dir.path() + "/ran";
  testsupport::writeFile(program, "#!/bin/sh\necho \"$#|$(pwd)|$(readlink /proc/$$/fd/1)|$(ls -l /proc/$$/fd)\" | tr '\\n' ' ' > '" +
                                      marker + ".tmp'\nmv '" + marker + ".tmp' '" + marker + "'\n");
  ASSERT_EQ(::chmod(program.c_str(), 0755), 0);
  const std::string here = std::filesystem::current_path().string();
  const std::string leakedPath = dir.path() + "/held by the caller";
  testsupport::writeFile(leakedPath, "");
  const int leaked = ::open(leakedPath.c_str(), O_RDONLY);  // no O_CLOEXEC on purpose
  ASSERT_GE(leaked, 0);
  struct Case {
    std::string program;
    const char* folder;
    std::string folderSeen;
  } cases[] = {
      {program, "/", "/"},
      {program, nullptr, here},  // no folder: the caller's own
      {program, "", here},
  };
  posix::Kernel32Posix k;
  for (const auto& c : cases) {
    std::filesystem::remove(marker);
    STARTUPINFOA startup;
    PROCESS_INFORMATION process;
    ASSERT_NE(k.CreateProcessA(c.program.c_str(), nullptr, 0, 0, c.folder, &startup, &process), 0);
    EXPECT_NE(process.dwProcessId, 0u);
    EXPECT_EQ(process.hProcess, 0u);
    const std::string record = recordOf(marker);
    EXPECT_TRUE(record.starts_with("0|" + c.folderSeen + "|/dev/null|")) << record;
    EXPECT_EQ(record.find("held by the caller"), std::string::npos) << record;
    // The program is not left as this process's child, and no thread waits for it.
    int status = 0;
    EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1);
  }
  ::close(leaked);
  // A relative path names a file in the caller's folder, wherever the program starts.
  std::filesystem::current_path(dir.path());
  std::filesystem::remove(marker);
  STARTUPINFOA startup;
  PROCESS_INFORMATION process;
  const BOOL started = k.CreateProcessA(name.c_str(), nullptr, 0, 0, "/", &startup, &process);
  std::filesystem::current_path(here);
  ASSERT_NE(started, 0);
  EXPECT_TRUE(recordOf(marker).starts_with("0|/|/dev/null|"));
}

TEST(ProcessPosix, RefusesWhatItCannotStart) {
  posix::Kernel32Posix k;
  STARTUPINFOA startup;
  PROCESS_INFORMATION process;
  char commandLine[] = "prog arg";
  struct Case {
    const char* program;
    char* commandLine;
    DWORD error;
    const char* folder = nullptr;
  } cases[] = {{"/nonexistent/program", nullptr, kErrorFileNotFound},
               {"", nullptr, kErrorInvalidParameter},
               {nullptr, nullptr, kErrorInvalidParameter},
               {"/bin/true", commandLine, kErrorInvalidParameter},
               {"true", nullptr, kErrorFileNotFound},  // never looked up on PATH
               {"/bin/true", nullptr, kErrorFileNotFound, "/nonexistent/folder"}};
  for (const auto& c : cases) {
    EXPECT_EQ(k.CreateProcessA(c.program, c.commandLine, 0, 0, c.folder, &startup, &process), 0) << c.program;
    EXPECT_EQ(GetLastError(), c.error);
  }
}

}  // namespace
}  // namespace zs::platform
