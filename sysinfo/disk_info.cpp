#include "sysinfo/disk_info.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "core/error.h"
#include "platform/ansi.h"

namespace zs {
namespace {

// The largest byte count a Currency holds as a whole number.
constexpr std::int64_t kMaxCurrencyBytes = 922337203685477;
// The volume and file-system name buffers.
constexpr platform::DWORD kNameBuffer = 255;
// The first drive-list buffer; a longer list is asked for again at its size.
constexpr platform::DWORD kDriveListBuffer = 255;
constexpr int kMaxDriveListAttempts = 4;
constexpr int kMaxDrives = 100;

Currency currencyBytes(std::uint64_t count) {
  if (count > static_cast<std::uint64_t>(kMaxCurrencyBytes)) raise(err::kOverflow);
  return Currency::fromUnits(static_cast<std::int64_t>(count));
}

// The text of a NUL-filled buffer before its first NUL.
String beforeNul(const std::array<char, kNameBuffer>& buffer) {
  const auto end = std::memchr(buffer.data(), '\0', buffer.size());
  const std::size_t length =
      end ? static_cast<std::size_t>(static_cast<const char*>(end) - buffer.data()) : buffer.size();
  return platform::fromAnsi(std::string_view(buffer.data(), length));
}

}  // namespace

DiskInfo::DiskInfo(const platform::Libraries& libraries) : api_(libraries.kernel32) {}

bool DiskInfo::effective(String& overriding) const {
  if (overriding.empty()) overriding = driveName_;
  return !overriding.empty();
}

DiskInfo::Sizes DiskInfo::sizes(const String& drive) {
  Sizes s;
  api_->GetDiskFreeSpaceExA(platform::toAnsi(drive).c_str(), &s.available, &s.total, &s.free);
  return s;
}

DiskInfo::Volume DiskInfo::volume(const String& drive) {
  std::array<char, kNameBuffer> label{}, fileSystem{};
  platform::DWORD serial = 0, component = 0, flags = 0;
  api_->GetVolumeInformationA(platform::toAnsi(drive).c_str(), label.data(), kNameBuffer, &serial,
                              &component, &flags, fileSystem.data(), kNameBuffer);
  return Volume{beforeNul(label), beforeNul(fileSystem), serial};
}

Currency DiskInfo::TotalSpace(String& OverridingDriveName) {
  if (!effective(OverridingDriveName)) return Currency{};
  return currencyBytes(sizes(OverridingDriveName).total);
}

Currency DiskInfo::FreeSpace(String& OverridingDriveName) {
  if (!effective(OverridingDriveName)) return Currency{};
  return currencyBytes(sizes(OverridingDriveName).free);
}

Currency DiskInfo::TotalSpaceUsed(String& OverridingDriveName) {
  if (!effective(OverridingDriveName)) return Currency{};
  const Sizes s = sizes(OverridingDriveName);
  // Unsigned and clamped: free can exceed total under a per-user quota.
  return currencyBytes(s.total > s.free ? s.total - s.free : 0);
}

Long DiskInfo::DriveType(String& OverridingDriveName) {
  if (!effective(OverridingDriveName)) return zvDriveUnknown;
  const platform::UINT code = api_->GetDriveTypeA(platform::toAnsi(OverridingDriveName).c_str());
  return code <= static_cast<platform::UINT>(zvDriveRamDisk) ? static_cast<Long>(code)
                                                            : zvDriveUnknown;
}

std::shared_ptr<Collection> DiskInfo::GetLocalDrive() {
  auto drives = create<Collection>();
  std::vector<char> buffer(kDriveListBuffer, '\0');
  for (int attempt = 0; attempt < kMaxDriveListAttempts; ++attempt) {
    const platform::DWORD reported =
        api_->GetLogicalDriveStringsA(static_cast<platform::DWORD>(buffer.size()), buffer.data());
    if (reported < buffer.size()) break;
    // The list did not fit (or grew meanwhile): ask again at the size reported.
    buffer.assign(static_cast<std::size_t>(reported) + 1, '\0');
  }
  buffer.push_back('\0');  // the walk below always meets a NUL
  std::size_t at = 0;
  for (int n = 0; n < kMaxDrives && at < buffer.size() && buffer[at] != '\0'; ++n) {
    const std::size_t length = std::strlen(buffer.data() + at);
    const String root = platform::fromAnsi(std::string_view(buffer.data() + at, length));
    try {
      drives->Add(Variant(root), root);
    } catch (const Error& e) {
      // Keys ignore letter case; two roots that differ only in case (possible
      // on Linux) keep the first under the key and the second by position.
      if (e.number() != err::kKeyInUse) throw;
      drives->Add(Variant(root));
    }
    at += length + 1;
  }
  return drives;
}

String DiskInfo::VolumeName(String& OverridingDriveName) {
  if (!effective(OverridingDriveName)) return {};
  return volume(OverridingDriveName).label;
}

String DiskInfo::FileSystemName(String& OverridingDriveName) {
  if (!effective(OverridingDriveName)) return {};
  return volume(OverridingDriveName).fileSystem;
}

String formatSerialNumber(std::uint32_t serial) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (int shift = 28; shift >= 0; shift -= 4) {
    const unsigned digit = (serial >> shift) & 0xF;
    if (digit != 0 || !hex.empty() || shift == 0) hex.push_back(kDigits[digit]);
  }
  String out;
  for (std::size_t position = 0; position < 8; ++position) {
    if (position == 4) out.push_back(u'-');
    if (position < hex.size()) out.push_back(static_cast<char16_t>(hex[position]));
  }
  return out;
}

String DiskInfo::SerialNumber(String& OverridingDriveName) {
  if (!effective(OverridingDriveName)) return {};
  return formatSerialNumber(volume(OverridingDriveName).serial);
}

Boolean DiskInfo::IsRemovable(String& d) { return effective(d) && DriveType(d) == zvDriveRemovable; }
Boolean DiskInfo::IsFixed(String& d) { return effective(d) && DriveType(d) == zvDriveFixed; }
Boolean DiskInfo::IsRemote(String& d) { return effective(d) && DriveType(d) == zvDriveRemote; }
Boolean DiskInfo::IsCDROM(String& d) { return effective(d) && DriveType(d) == zvDriveCDROM; }
Boolean DiskInfo::IsRamDisk(String& d) { return effective(d) && DriveType(d) == zvDriveRamDisk; }
Boolean DiskInfo::IsFAT16(String& d) { return effective(d) && FileSystemName(d) == u"FAT16"; }
Boolean DiskInfo::IsFAT32(String& d) { return effective(d) && FileSystemName(d) == u"FAT32"; }
Boolean DiskInfo::IsNTFS(String& d) { return effective(d) && FileSystemName(d) == u"NTFS"; }

}  // namespace zs
