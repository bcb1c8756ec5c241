// idlgen: writes the type library source and the dual-interface vtables from
// the class catalogue, checks that the committed copies are current, and dumps
// the catalogue for the type-library drift test.
//
//   idlgen write <dir>    rewrite <dir>/VQZavrinStudio.idl and <dir>/dual_vtables.cpp
//   idlgen check <dir>    exit 1 when either file differs from what would be written
//   idlgen dump <file>    write the catalogue listing
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "server/idlgen/catalogue_dump.h"
#include "server/idlgen/generated_files.h"

namespace {

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool writeFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) std::cerr << "idlgen: cannot write " << path << "\n";
  return static_cast<bool>(out);
}

int usage() {
  std::cerr << "usage: idlgen write <dir> | check <dir> | dump <file>\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return usage();
  const std::string command = argv[1];
  const std::filesystem::path target = argv[2];
  if (command == "dump") return writeFile(target, zs::idl::catalogueDump()) ? 0 : 1;
  if (command != "write" && command != "check") return usage();
  int status = 0;
  for (const auto& file : zs::idl::generatedFiles()) {
    const auto path = target / file.name;
    if (command == "write") {
      if (!writeFile(path, file.text)) status = 1;
    } else if (readFile(path) != file.text) {
      std::cerr << "idlgen: " << path.string()
                << " is out of date with the class catalogue; build the regen_idl target\n";
      status = 1;
    }
  }
  return status;
}
