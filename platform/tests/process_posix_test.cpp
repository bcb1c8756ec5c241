// Kernel32Posix: starting a program as a single argument and file attributes.
#include <gtest/gtest.h>
#include <sys/stat.h>

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

TEST(ProcessPosix, StartsTheProgramPathAsOneArgumentWithoutAShell) {
  testsupport::TempFolder dir;
  // A program whose path has a blank and a shell character: it records its
  // arguments and its working directory.
  const std::string program = dir.path() + "/sys info;x";
  const std::string marker = dir.path() + "/ran";
  testsupport::writeFile(program, "#!/bin/sh\necho \"$# $(pwd)\" > '" + marker + ".tmp'\nmv '" + marker + ".tmp' '" +
                                  marker + "'\n");
  ASSERT_EQ(::chmod(program.c_str(), 0755), 0);
  posix::Kernel32Posix k;
  STARTUPINFOA startup;
  PROCESS_INFORMATION process;
  ASSERT_NE(k.CreateProcessA(program.c_str(), nullptr, 0, 0, "/", &startup, &process), 0);
  EXPECT_NE(process.dwProcessId, 0u);
  EXPECT_EQ(process.hProcess, 0u);
  // Wait for the program's record (bounded: the test fails rather than hangs).
  for (int i = 0; i < 500 && !std::filesystem::exists(marker); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_TRUE(std::filesystem::exists(marker));
  std::ifstream in(marker);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "0 /");
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
  } cases[] = {{"/nonexistent/program", nullptr, kErrorFileNotFound},
               {"", nullptr, kErrorInvalidParameter},
               {nullptr, nullptr, kErrorInvalidParameter},
               {"/bin/true", commandLine, kErrorInvalidParameter}};
  for (const auto& c : cases) {
    EXPECT_EQ(k.CreateProcessA(c.program, c.commandLine, 0, 0, nullptr, &startup, &process), 0);
    EXPECT_EQ(GetLastError(), c.error);
  }
}

}  // namespace
}  // namespace zs::platform
