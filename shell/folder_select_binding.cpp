// ZSFolderSelect in the catalogue: FolderSelect and ZSFolderSelectConstants.
#include "frame/bindings.h"
#include "shell/folder_select.h"

namespace zs {
namespace {

FolderBrowse& self(Object& o) { return static_cast<FolderBrowse&>(o); }

const MemberTable& members() {
  static const MemberTable table = std::vector<Member>{
      {"FolderSelect", methodId(0), MemberKind::Method,
       {ref("Folder", t::enumOf("ZSFolderSelectConstants")),
        optionalRef("Title", t::String, Variant(String(kDefaultFolderTitle)))},
       t::objectOf("ZSFolderSelectValues"),
       [](Object& o, std::span<Variant> a) {
         return Variant(ObjectPtr(self(o).FolderSelect(a[0].lng(), a[1].string())));
       }},
  };
  return table;
}

std::span<const EnumInfo> enums() {
  static const std::vector<EnumInfo> table = {
      {"ZSFolderSelectConstants",
       {{"zvPrograms", zvPrograms},
        {"zvPrinters", zvPrinters},
        {"zvMyDocument", zvMyDocument},
        {"zvFavorites", zvFavorites},
        {"zvRecent", zvRecent},
        {"zvSendTo", zvSendTo},
        {"zvStartMenu", zvStartMenu},
        {"zvDrives", zvDrives},
        {"zvNetwork", zvNetwork},
        {"zvTemplates", zvTemplates},
        {"zvApplicationData", zvApplicationData},
        {"zvPrintHood", zvPrintHood},
        {"zvInternetCache", zvInternetCache},
        {"zvCookies", zvCookies},
        {"zvHistory", zvHistory}}},
  };
  return table;
}

}  // namespace

const ClassBinding bindings::ZSFolderSelect{members, [] { return ObjectPtr(create<FolderBrowse>()); },
                                            enums};

const ClassInfo* FolderBrowse::classInfo() const { return &zs::classInfo(ClassId::ZSFolderSelect); }

}  // namespace zs
