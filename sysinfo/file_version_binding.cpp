// ZSFileVersion in the catalogue: FileName and the seventeen methods without
// arguments, with their dispatch ids and types.
#include "frame/bindings.h"
#include "sysinfo/file_version.h"
#include "sysinfo/member_helpers.h"

namespace zs {
namespace {

FileVersion& self(Object& o) { return static_cast<FileVersion&>(o); }

using sysinfo::method;

template <auto Fn>
constexpr Invoker call = sysinfo::noArguments<FileVersion, Fn>;

const MemberTable& members() {
  static const MemberTable table = std::vector<Member>{
      {"FileName", propertyId(0), MemberKind::Get, {}, t::String,
       [](Object& o, std::span<Variant>) { return Variant(self(o).FileName()); }},
      {"FileName", propertyId(0), MemberKind::Let, {in("RHS", t::String)}, t::Void,
       [](Object& o, std::span<Variant> a) {
         self(o).FileName(a[0].string());
         return Variant();
       }},
      method("ProductVersionString", 0x05, t::String, call<&FileVersion::ProductVersionString>),
      method("ProductName", 0x06, t::String, call<&FileVersion::ProductName>),
      method("PrivateBuild", 0x07, t::String, call<&FileVersion::PrivateBuild>),
      method("OriginalFilename", 0x08, t::String, call<&FileVersion::OriginalFilename>),
      method("SpecialBuild", 0x09, t::String, call<&FileVersion::SpecialBuild>),
      method("CompanyName", 0x0A, t::String, call<&FileVersion::CompanyName>),
      method("Comments", 0x0B, t::String, call<&FileVersion::Comments>),
      method("InternalName", 0x0C, t::String, call<&FileVersion::InternalName>),
      method("FileVersionString", 0x0D, t::String, call<&FileVersion::FileVersionString>),
      method("FileVerMinorLO", 0x0E, t::Integer, call<&FileVersion::FileVerMinorLO>),
      method("FileVerMinorHI", 0x0F, t::Integer, call<&FileVersion::FileVerMinorHI>),
      method("FileVerMajorLO", 0x10, t::Integer, call<&FileVersion::FileVerMajorLO>),
      method("FileVerMajorHI", 0x11, t::Integer, call<&FileVersion::FileVerMajorHI>),
      method("FileType", 0x12, t::String, call<&FileVersion::FileType>),
      method("FileDescription", 0x13, t::String, call<&FileVersion::FileDescription>),
      method("LegalCopyright", 0x14, t::String, call<&FileVersion::LegalCopyright>),
  };
  return table;
}

}  // namespace

const ClassBinding bindings::ZSFileVersion{members,
                                           [] { return ObjectPtr(create<FileVersion>()); }};

const ClassInfo* FileVersion::classInfo() const { return &zs::classInfo(ClassId::ZSFileVersion); }

}  // namespace zs
