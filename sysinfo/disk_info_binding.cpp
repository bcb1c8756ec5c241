// ZSDiskInfo in the catalogue: DriveName, the sixteen drive members with their
// dispatch ids and types, and ZSDiskInfoConstants.
#include "frame/bindings.h"
#include "sysinfo/disk_info.h"
#include "sysinfo/member_helpers.h"

namespace zs {
namespace {

DiskInfo& self(Object& o) { return static_cast<DiskInfo&>(o); }

// A drive member: one optional String by reference, OverridingDriveName.
template <auto Fn>
Variant drive(Object& o, std::span<Variant> a) {
  return Variant((self(o).*Fn)(a[0].string()));
}

Member driveMember(std::string_view name, int id, TypeRef result, Invoker invoke) {
  return sysinfo::method(name, id, result, invoke, {optionalRef("OverridingDriveName", t::String)});
}

const MemberTable& members() {
  static const MemberTable table = std::vector<Member>{
      {"DriveName", propertyId(0), MemberKind::Get, {}, t::String,
       [](Object& o, std::span<Variant>) { return Variant(self(o).DriveName()); }},
      {"DriveName", propertyId(0), MemberKind::Let, {in("RHS", t::String)}, t::Void,
       [](Object& o, std::span<Variant> a) {
         self(o).DriveName(a[0].string());
         return Variant();
       }},
      driveMember("TotalSpace", 0x01, t::Currency, drive<&DiskInfo::TotalSpace>),
      driveMember("FreeSpace", 0x02, t::Currency, drive<&DiskInfo::FreeSpace>),
      driveMember("TotalSpaceUsed", 0x03, t::Currency, drive<&DiskInfo::TotalSpaceUsed>),
      driveMember("DriveType", 0x04, t::enumOf("ZSDiskInfoConstants"), drive<&DiskInfo::DriveType>),
      sysinfo::method("GetLocalDrive", 0x05, t::objectOf("Collection"),
                      [](Object& o, std::span<Variant>) {
                        return Variant(ObjectPtr(self(o).GetLocalDrive()));
                      }),
      driveMember("VolumeName", 0x06, t::String, drive<&DiskInfo::VolumeName>),
      driveMember("FileSystemName", 0x07, t::String, drive<&DiskInfo::FileSystemName>),
      driveMember("SerialNumber", 0x08, t::String, drive<&DiskInfo::SerialNumber>),
      driveMember("IsRemovable", 0x09, t::Boolean, drive<&DiskInfo::IsRemovable>),
      driveMember("IsFixed", 0x0A, t::Boolean, drive<&DiskInfo::IsFixed>),
      driveMember("IsRemote", 0x0B, t::Boolean, drive<&DiskInfo::IsRemote>),
      driveMember("IsCDROM", 0x0C, t::Boolean, drive<&DiskInfo::IsCDROM>),
      driveMember("IsRamDisk", 0x0D, t::Boolean, drive<&DiskInfo::IsRamDisk>),
      driveMember("IsFAT16", 0x0E, t::Boolean, drive<&DiskInfo::IsFAT16>),
      driveMember("IsFAT32", 0x0F, t::Boolean, drive<&DiskInfo::IsFAT32>),
      driveMember("IsNTFS", 0x10, t::Boolean, drive<&DiskInfo::IsNTFS>),
  };
  return table;
}

std::span<const EnumInfo> enums() {
  static const std::vector<EnumInfo> table = {
      {"ZSDiskInfoConstants",
       {{"zvDriveUnknown", zvDriveUnknown},
        {"zvDriveAbsent", zvDriveAbsent},
        {"zvDriveRemovable", zvDriveRemovable},
        {"zvDriveFixed", zvDriveFixed},
        {"zvDriveRemote", zvDriveRemote},
        {"zvDriveCDROM", zvDriveCDROM},
        {"zvDriveRamDisk", zvDriveRamDisk}}},
  };
  return table;
}

}  // namespace

const ClassBinding bindings::ZSDiskInfo{members, [] { return ObjectPtr(create<DiskInfo>()); }, enums};

const ClassInfo* DiskInfo::classInfo() const { return &zs::classInfo(ClassId::ZSDiskInfo); }

}  // namespace zs
