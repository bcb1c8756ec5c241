// The shell32 operations that locate special folders, browse for a folder and
// open documents and links, with the Win32 names, argument order and results. An item identifier list that
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

// The ANSI browse request of SHBrowseForFolderA. pszDisplayName receives the
// picked item's display name (kMaxPath bytes with the NUL).
struct BROWSEINFOA {
  HWND hwndOwner;
  const ITEMIDLIST* pidlRoot;
  char* pszDisplayName;
  const char* lpszTitle;
  UINT ulFlags;
  void* lpfn;
  std::intptr_t lParam;
  int iImage;
};

// ShellExecuteA's results: above 32 is success; these are its failures.
inline constexpr HINSTANCE kSeErrFileNotFound = 2;
inline constexpr HINSTANCE kSeErrNoAssociation = 31;
inline constexpr HINSTANCE kSeStarted = 42;  // what the Linux backend answers on success

class Shell32 {
 public:
  virtual ~Shell32() = default;
  // The item list of the folder `csidl`; on failure an error code and *list null.
  virtual HRESULT SHGetSpecialFolderLocation(HWND owner, int csidl, ITEMIDLIST** list) = 0;
  // Writes the file-system path of `list` with its NUL into `path` (at least
  // kMaxPath bytes). Fails for an item without a file-system path, writing "".
  virtual BOOL SHGetPathFromIDListA(const ITEMIDLIST* list, char* path) = 0;
  // The item list of the folder `csidl` for the user of `token` (0: this user).
  virtual HRESULT SHGetFolderLocation(HWND owner, int csidl, std::uintptr_t token, DWORD reserved,
                                      ITEMIDLIST** list) = 0;
  // Shows the folder browser; the picked item's list (the caller frees it), or
  // null when the user cancels.
  virtual ITEMIDLIST* SHBrowseForFolderA(BROWSEINFOA* info) = 0;
  // Opens `file` with `verb` (null: the default action); a result above 32 is success.
  virtual HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file,
                                  const char* parameters, const char* directory, int show) = 0;
  // With index -1 and no outputs: the number of icons in `file`. Otherwise
  // the large (32) and small (16) icons of `count` icons from `index` (a
  // negative index names a resource id); the number of icons extracted.
  virtual UINT ExtractIconExA(const char* file, int index, HICON* large, HICON* small,
                              UINT count) = 0;
};

class Ole32 {
 public:
  virtual ~Ole32() = default;
  // Frees memory that a shell call handed out; null is allowed.
  virtual void CoTaskMemFree(void* memory) = 0;
};

}  // namespace zs::platform
