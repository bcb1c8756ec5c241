// ZSFileVersion: the version resource of the file FileName through the
// platform's version.dll: the string entries of the first language, the file
// version numbers of the fixed record, and the file type. Every member reads
// the resource afresh; a file without one raises error 9.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/class_info.h"
#include "core/property_bag.h"
#include "platform/libraries.h"

namespace zs {

class FileVersion : public Control {
 public:
  explicit FileVersion(const platform::Libraries& libraries = platform::systemLibraries());

  String FileName() const { return fileName_; }
  void FileName(const String& value) { fileName_ = value; }

  // Entries; an absent one raises 5, except PrivateBuild, SpecialBuild and
  // Comments, which answer "".
  String ProductVersionString();
  String ProductName();
  String PrivateBuild();
  String OriginalFilename();
  String SpecialBuild();
  String CompanyName();
  String Comments();
  String InternalName();
  String FileDescription();
  String LegalCopyright();
  // The four halves of the file version, read as unsigned 16-bit numbers:
  // "1.2.3.4". The number members raise 6 for a half above 32767.
  String FileVersionString();
  Integer FileVerMinorLO();
  Integer FileVerMinorHI();
  Integer FileVerMajorLO();
  Integer FileVerMajorHI();
  String FileType();

  const ClassInfo* classInfo() const override;

 private:
  struct Fixed {
    std::uint32_t versionMS = 0, versionLS = 0, fileType = 0;
  };
  // Reads the resource (error 9 when there is none) and its fixed record.
  std::vector<unsigned char> read(Fixed* fixed = nullptr);
  String entry(const char* name, bool absentIsEmpty);
  Fixed fixed();

  std::shared_ptr<platform::Version> api_;
  String fileName_;
};

}  // namespace zs
