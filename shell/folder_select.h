// ZSFolderSelect (the C++ class zs::FolderBrowse, since a C++ class cannot
// have a method of its own name): shows the shell's folder browser rooted at
// a special folder and appends every pick to the one ZSFolderSelectValues the
// object owns, which only grows and which every call returns.
#pragma once

#include <memory>

#include "core/class_info.h"
#include "core/object.h"
#include "frame/keyed_collections.h"
#include "platform/libraries.h"

namespace zs {

// ZSFolderSelectConstants: the shell's folder numbers.
enum FolderSelectRoot : Long {
  zvPrograms = 2,
  zvPrinters = 4,
  zvMyDocument = 5,
  zvFavorites = 6,
  zvRecent = 8,
  zvSendTo = 9,
  zvStartMenu = 11,
  zvDrives = 17,
  zvNetwork = 18,
  zvTemplates = 21,
  zvApplicationData = 26,
  zvPrintHood = 27,
  zvInternetCache = 32,
  zvCookies = 33,
  zvHistory = 34,
};

// The title shown when the caller gives none.
inline constexpr char16_t kDefaultFolderTitle[] = u"Please choose a folder.";
// PhysicalLocation of a pick without a file-system path.
inline constexpr char16_t kVirtualFolder[] = u"(virtual folder)";

class FolderBrowse : public Object {
 public:
  explicit FolderBrowse(const platform::Libraries& libraries = platform::systemLibraries());

  // Neither argument is changed. Cancel appends nothing.
  std::shared_ptr<FolderSelectValues> FolderSelect(const Long& Folder,
                                                   const String& Title = kDefaultFolderTitle);

  const ClassInfo* classInfo() const override;
  void dropReferences() override { picks_.reset(); }

 private:
  FolderSelectValues& picks();

  platform::Libraries libraries_;
  std::shared_ptr<FolderSelectValues> picks_;
};

}  // namespace zs
