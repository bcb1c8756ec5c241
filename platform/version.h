// The version.dll operations that read version resources, with the Win32
// names, argument order and results.
#pragma once

#include "platform/kernel32.h"

namespace zs::platform {

class Version {
 public:
  virtual ~Version() = default;
  // The size of the buffer GetFileVersionInfoA needs for the file's version
  // resource; 0 when the file is missing or has none. *handle is set to 0.
  virtual DWORD GetFileVersionInfoSizeA(const char* filename, DWORD* handle) = 0;
  // Fills `data` (`length` bytes, at least the size above) with the resource.
  virtual BOOL GetFileVersionInfoA(const char* filename, DWORD handle, DWORD length,
                                   void* data) = 0;
  // Finds a part of a filled buffer: "\" the fixed record,
  // "\VarFileInfo\Translation" the language list, "\StringFileInfo\<key>\<name>" a string
  // (ANSI, NUL-terminated; *length counts its bytes with the NUL, 0 for an
  // empty value). Keys compare without regard to ASCII case. On failure
  // *buffer is null and *length 0.
  virtual BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer,
                              UINT* length) = 0;
  // The English name of a language id ("English (United States)") with its
  // NUL, cut to fit `size` bytes at a character boundary; returns its length
  // without the NUL, 0 for an unknown id.
  virtual DWORD VerLanguageNameA(DWORD language, char* name, DWORD size) = 0;
};

}  // namespace zs::platform
