// ZSSpecialFolders (the C++ class zs::Folders, since a C++ class cannot have a
// method of its own name): sets and reads the process's current directory and
// returns the path of a special folder through kernel32 and shell32. The
// program-files folder comes from the registry value ProgramFilesDir under
// HKLM Software\Microsoft\Windows\CurrentVersion, through a ZSRegistry
// created at its first use.
#pragma once

#include <memory>

#include "core/class_info.h"
#include "core/property_bag.h"
#include "core/variant.h"
#include "platform/libraries.h"
#include "sysinfo/current_version.h"

namespace zs {

// ZSSpecialFoldersConstants: the shell's folder numbers, and zvaTemp.
enum SpecialFolder : Long {
  zvaPrograms = 2,
  zvaPrinters = 4,
  zvaMyDocument = 5,
  zvaFavorites = 6,
  zvaStartUp = 7,
  zvaRecent = 8,
  zvaSendTo = 9,
  zvaStartMenu = 11,
  zvaDesktop = 16,
  zvaNetwork = 18,
  zvaNetHood = 19,
  zvaFonts = 20,
  zvaTemplates = 21,
  zvaCommonStartMenu = 22,
  zvaCommonPrograms = 23,
  zvaCommonStartUp = 24,
  zvaCommonDesktop = 25,
  zvaApplicationData = 26,
  zvaPrintHood = 27,
  zvaLocalAppData = 28,
  zvaCommonFavorites = 31,
  zvaInternetCache = 32,
  zvaCookies = 33,
  zvaHistory = 34,
  zvaCommonAppData = 35,
  zvaWindows = 36,
  zvaSystem = 37,
  zvaProgramFiles = 38,
  zvaMyPictures = 39,
  zvaProfile = 40,
  zvaSystemX86 = 41,
  zvaProgramFilesX86 = 42,
  zvaProgramFilesCommon = 43,
  zvaProgramFilesCommonX86 = 44,
  zvaCommonTemplates = 45,
  zvaCommonDocuments = 46,
  zvaCommonAdminTools = 47,
  zvaAdminTools = 48,
  zvaTemp = 0x901,
};

class Folders : public Control {
 public:
  explicit Folders(const platform::Libraries& libraries = platform::systemLibraries());

  // Changes the current directory; DirPath then holds the text as the system
  // code page carries it. Always returns Empty.
  Variant SetCurrentDir(String& DirPath);
  String GetCurrentDir();
  // The folder's path; "" for a folder without a file-system path. Error 5
  // when the temporary path is empty.
  String SpecialFolders(Long Folder);

  const ClassInfo* classInfo() const override;

 private:
  String shellFolder(Long folder);

  platform::Libraries libraries_;
  sysinfo::CurrentVersionValues currentVersion_;
};

}  // namespace zs
