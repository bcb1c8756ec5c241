// ZSDiskInfo: size, free and used space, type, label, file system and serial
// number of one drive at a time, and the list of the machine's drive roots,
// through the platform's kernel32. Every member asks the platform afresh.
//
// The drive a member uses is OverridingDriveName when it is not empty, else
// DriveName; an empty OverridingDriveName is filled with DriveName (the
// caller's variable holds it after the call). With both empty a member returns
// its neutral result without calling the platform.
#pragma once

#include <cstdint>
#include <memory>

#include "core/class_info.h"
#include "core/collection.h"
#include "core/property_bag.h"
#include "core/variant.h"
#include "platform/libraries.h"

namespace zs {

// ZSDiskInfoConstants: the platform's drive-type codes.
enum DiskInfoDriveType : Long {
  zvDriveUnknown = 0,
  zvDriveAbsent = 1,
  zvDriveRemovable = 2,
  zvDriveFixed = 3,
  zvDriveRemote = 4,
  zvDriveCDROM = 5,
  zvDriveRamDisk = 6,
};

class DiskInfo : public Control {
 public:
  explicit DiskInfo(const platform::Libraries& libraries = platform::systemLibraries());

  String DriveName() const { return driveName_; }
  void DriveName(const String& value) { driveName_ = value; }

  // Sizes in bytes; error 6 above the largest Currency byte count.
  Currency TotalSpace(String& OverridingDriveName);
  Currency FreeSpace(String& OverridingDriveName);
  // Total minus free, never below 0 (a per-user quota can make free exceed total).
  Currency TotalSpaceUsed(String& OverridingDriveName);
  Long DriveType(String& OverridingDriveName);
  // A fresh collection of the drive roots, each under its own text as key.
  std::shared_ptr<Collection> GetLocalDrive();
  String VolumeName(String& OverridingDriveName);
  String FileSystemName(String& OverridingDriveName);
  // The serial as XXXX-XXXX (upper-case hexadecimal, not padded).
  String SerialNumber(String& OverridingDriveName);
  Boolean IsRemovable(String& OverridingDriveName);
  Boolean IsFixed(String& OverridingDriveName);
  Boolean IsRemote(String& OverridingDriveName);
  Boolean IsCDROM(String& OverridingDriveName);
  Boolean IsRamDisk(String& OverridingDriveName);
  Boolean IsFAT16(String& OverridingDriveName);
  Boolean IsFAT32(String& OverridingDriveName);
  Boolean IsNTFS(String& OverridingDriveName);

  const ClassInfo* classInfo() const override;

 private:
  struct Sizes {
    std::uint64_t available = 0, total = 0, free = 0;
  };
  struct Volume {
    String label, fileSystem;
    std::uint32_t serial = 0;
  };
  // The drive-name rule: fills an empty override; false when no name is left.
  bool effective(String& overriding) const;
  Sizes sizes(const String& drive);
  Volume volume(const String& drive);

  std::shared_ptr<platform::Kernel32> api_;
  String driveName_;
};

// The serial-number text: 1A2B3C4D gives 1A2B-3C4D, 12ABCD gives 12AB-CD, 0 gives 0-.
String formatSerialNumber(std::uint32_t serial);

}  // namespace zs
