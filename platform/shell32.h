// The shell32 operations that locate special folders, with the Win32 names,
// argument order and results. An item identifier list that
// SHGetSpecialFolderLocation hands out belongs to the caller, who frees it
// with ole32's CoTaskMemFree.
#pragma once

#include <cstdint>

#include "platform/kernel32.h"
#include "platform/user32.h"

namespace zs::platform {

using HRESULT = std::int32_t;
struct ITEMIDLIST;  // opaque: only the backend that made one reads it

inline constexpr HRESULT kSOk = 0;
inline constexpr HRESULT kEFail = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT kEInvalidArg = static_cast<HRESULT>(0x80070057u);
// The size of the path buffer SHGetPathFromIDListA writes into.
inline constexpr DWORD kMaxPath = 260;

class Shell32 {
 public:
  virtual ~Shell32() = default;
  // The item list of the folder `csidl`; on failure an error code and *list null.
  virtual HRESULT SHGetSpecialFolderLocation(HWND owner, int csidl, ITEMIDLIST** list) = 0;
  // Writes the file-system path of `list` with its NUL into `path` (at least
  // kMaxPath bytes). Fails for an item without a file-system path, writing "".
  virtual BOOL SHGetPathFromIDListA(const ITEMIDLIST* list, char* path) = 0;
};

class Ole32 {
 public:
  virtual ~Ole32() = default;
  // Frees memory that a shell call handed out; null is allowed.
  virtual void CoTaskMemFree(void* memory) = 0;
};

}  // namespace zs::platform
