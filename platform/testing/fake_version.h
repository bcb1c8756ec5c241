// An in-memory version.dll for tests of the components: files with a fixed
// record, a translation list and string entries set up by the test, and a
// mode in which VerQueryValueA reports success with a null pointer.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/version.h"

namespace zs::platform::testing {

class FakeVersion : public Version {
 public:
  struct File {
    std::optional<std::vector<std::uint8_t>> fixed;        // what "\" finds
    std::optional<std::vector<std::uint8_t>> translation;  // what "\VarFileInfo\Translation" finds
    // "\StringFileInfo\040904B0\ProductName" -> value (paths compare without case)
    std::map<std::string, std::string> strings;
    bool nullPointers = false;  // every query succeeds with a null pointer and length 0
    // The length every string entry reports instead of its size with the NUL.
    std::optional<UINT> stringLength;
  };

  void addFile(const std::string& name, File file) { files_[name] = std::move(file); }
  // The name VerLanguageNameA answers for a language id; others answer 0.
  // languageCount forces the count it returns.
  void addLanguageName(DWORD language, std::string name) { languages_[language] = std::move(name); }
  void setLanguageCount(DWORD count) { languageCount_ = count; }
  // The language ids asked, in order.
  const std::vector<DWORD>& languageQueries() const { return languageQueries_; }

  // The sub-block paths asked, in order.
  const std::vector<std::string>& queries() const { return queries_; }

  // A fixed record with the given version fields and file type.
  static std::vector<std::uint8_t> fixedRecord(std::uint32_t versionMS, std::uint32_t versionLS,
                                               std::uint32_t fileType);

  DWORD GetFileVersionInfoSizeA(const char* filename, DWORD* handle) override;
  BOOL GetFileVersionInfoA(const char* filename, DWORD handle, DWORD length, void* data) override;
  BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer,
                      UINT* length) override;
  DWORD VerLanguageNameA(DWORD language, char* name, DWORD size) override;

 private:
  std::map<std::string, File> files_;
  std::vector<std::string> queries_;
  std::map<DWORD, std::string> languages_;
  std::optional<DWORD> languageCount_;
  std::vector<DWORD> languageQueries_;
};

}  // namespace zs::platform::testing
