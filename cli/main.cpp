// zavrin: the command-line face of the library.
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

int main(int argc, char** argv) {
  // The standard streams read and write in blocks of their own; nothing here
  // uses C stdio on them.
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  zs::cli::CommandIo io{std::cin, std::cout, std::cerr};
  const int status = zs::cli::runCommandLine(args, io);
  std::cout.flush();
  return status;
}
