// The files that idlgen generates into server/generated, with their contents.
#pragma once

#include <string>
#include <vector>

#include "server/idlgen/idl_writer.h"
#include "server/idlgen/stub_writer.h"

namespace zs::idl {

struct GeneratedFile {
  std::string name;
  std::string text;
};

inline std::vector<GeneratedFile> generatedFiles() {
  return {{"VQZavrinStudio.idl", writeIdl()}, {"dual_vtables.cpp", writeStubs()}};
}

}  // namespace zs::idl
