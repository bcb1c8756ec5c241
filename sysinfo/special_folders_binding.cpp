// ZSSpecialFolders in the catalogue: its three methods and
// ZSSpecialFoldersConstants.
#include "frame/bindings.h"
#include "sysinfo/special_folders.h"

namespace zs {
namespace {

Folders& self(Object& o) { return static_cast<Folders&>(o); }

const MemberTable& members() {
  static const MemberTable table = std::vector<Member>{
      {"SetCurrentDir", methodId(0), MemberKind::Method, {ref("DirPath", t::String)}, t::Variant,
       [](Object& o, std::span<Variant> a) { return self(o).SetCurrentDir(a[0].string()); }},
      {"GetCurrentDir", methodId(1), MemberKind::Method, {}, t::String,
       [](Object& o, std::span<Variant>) { return Variant(self(o).GetCurrentDir()); }},
      {"SpecialFolders", methodId(2), MemberKind::Method,
       {in("Folder", t::enumOf("ZSSpecialFoldersConstants"))}, t::String,
       [](Object& o, std::span<Variant> a) { return Variant(self(o).SpecialFolders(a[0].lng())); }},
  };
  return table;
}

std::span<const EnumInfo> enums() {
  static const std::vector<EnumInfo> table = {
      {"ZSSpecialFoldersConstants",
       {{"zvaPrograms", zvaPrograms},
        {"zvaPrinters", zvaPrinters},
        {"zvaMyDocument", zvaMyDocument},
        {"zvaFavorites", zvaFavorites},
        {"zvaStartUp", zvaStartUp},
        {"zvaRecent", zvaRecent},
        {"zvaSendTo", zvaSendTo},
        {"zvaStartMenu", zvaStartMenu},
        {"zvaDesktop", zvaDesktop},
        {"zvaNetwork", zvaNetwork},
        {"zvaNetHood", zvaNetHood},
        {"zvaFonts", zvaFonts},
        {"zvaTemplates", zvaTemplates},
        {"zvaCommonStartMenu", zvaCommonStartMenu},
        {"zvaCommonPrograms", zvaCommonPrograms},
        {"zvaCommonStartUp", zvaCommonStartUp},
        {"zvaCommonDesktop", zvaCommonDesktop},
        {"zvaCommonFavorites", zvaCommonFavorites},
        {"zvaInternetCache", zvaInternetCache},
        {"zvaHistory", zvaHistory},
        {"zvaCommonAppData", zvaCommonAppData},
        {"zvaWindows", zvaWindows},
        {"zvaSystem", zvaSystem},
        {"zvaProgramFiles", zvaProgramFiles},
        {"zvaMyPictures", zvaMyPictures},
        {"zvaProfile", zvaProfile},
        {"zvaSystemX86", zvaSystemX86},
        {"zvaProgramFilesX86", zvaProgramFilesX86},
        {"zvaProgramFilesCommon", zvaProgramFilesCommon},
        {"zvaProgramFilesCommonX86", zvaProgramFilesCommonX86},
        {"zvaCommonTemplates", zvaCommonTemplates},
        {"zvaCommonDocuments", zvaCommonDocuments},
        {"zvaCommonAdminTools", zvaCommonAdminTools},
        {"zvaAdminTools", zvaAdminTools},
        {"zvaTemp", zvaTemp},
        {"zvaApplicationData", zvaApplicationData},
        {"zvaPrintHood", zvaPrintHood},
        {"zvaLocalAppData", zvaLocalAppData},
        {"zvaCookies", zvaCookies}}},
  };
  return table;
}

}  // namespace

const ClassBinding bindings::ZSSpecialFolders{members, [] { return ObjectPtr(create<Folders>()); },
                                              enums};

const ClassInfo* Folders::classInfo() const { return &zs::classInfo(ClassId::ZSSpecialFolders); }

}  // namespace zs
