#include "cli/info_subjects.h"

namespace zs::cli {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view kDisk[] = {
    "DriveType"sv,   "TotalSpace"sv,  "FreeSpace"sv, "TotalSpaceUsed"sv, "VolumeName"sv,
    "FileSystemName"sv, "SerialNumber"sv, "IsRemovable"sv, "IsFixed"sv, "IsRemote"sv,
    "IsCDROM"sv,     "IsRamDisk"sv,   "IsFAT16"sv,   "IsFAT32"sv,        "IsNTFS"sv,
    "GetLocalDrive"sv};
constexpr std::string_view kFileVersion[] = {
    "FileVersionString"sv, "ProductVersionString"sv, "FileVerMajorHI"sv, "FileVerMajorLO"sv,
    "FileVerMinorHI"sv,    "FileVerMinorLO"sv,       "FileType"sv,       "FileDescription"sv,
    "ProductName"sv,       "CompanyName"sv,          "InternalName"sv,   "OriginalFilename"sv,
    "LegalCopyright"sv,    "Comments"sv,             "PrivateBuild"sv,   "SpecialBuild"sv};
constexpr std::string_view kWinVersion[] = {
    "MajorVersion"sv, "MinorVersion"sv, "BuildNumber"sv, "OperatingPlatform"sv,
    "OperatingSystem"sv, "ExtraInfo"sv, "IsWindows32"sv, "IsWindows95"sv, "IsWindows98"sv, "IsWindowsME"sv,
    "IsWindowsNT"sv, "IsWindows2K"sv, "IsWindowsXP"sv};
constexpr std::string_view kWindows[] = {
    "UserName"sv,       "ComputerName"sv,     "ProductName"sv,         "ProductId"sv,
    "ProductType"sv,    "ProductKey"sv,       "RegisteredOwner"sv,     "RegisteredOrganization"sv,
    "LicensingInfo"sv,  "PlusVersionNumber"sv};
constexpr std::string_view kSpecialFolders[] = {"GetCurrentDir"sv, "SpecialFolders"sv};
constexpr std::string_view kPower[] = {
    "ACPowerExists"sv,      "BatteryIsFull"sv,      "BatteryIsLow"sv,
    "BatteryIsCritical"sv,  "BatteryIsCharging"sv,  "DiskSpinDown"sv,
    "ThermalControl"sv,     "WakeSupport"sv,        "HiberFilePresent"sv,
    "SleepButtonPresent"sv, "PowerButtonPresent"sv, "IsPowerHibernateAllowed"sv,
    "IsPowerSuspendAllowed"sv, "IsPowerShutdownAllowed"sv};
constexpr std::string_view kMemory[] = {
    "MemoryLoad"sv,     "TotalPhysical"sv,   "AvailablePhysical"sv, "TotalPageFile"sv,
    "AvailablePageFile"sv, "TotalVirtual"sv, "AvailableVirtual"sv,  "Length"sv,
    "PageSize"sv,       "AllocationGranularity"sv, "MinimumApplicationAddress"sv,
    "MaximumApplicationAddress"sv};
constexpr std::string_view kScreenModes[] = {"ScreenWidth"sv, "ScreenHeight"sv, "ColorBits"sv};
constexpr std::string_view kLocale[] = {
    "LanguageName"sv,   "Country"sv,           "NativeCountryName"sv, "SysLanguageID"sv,
    "SysLanguageName"sv, "DateFormat"sv,       "TimeFormat"sv,        "NumberFormat"sv,
    "DecimalSpecifier"sv, "ThousandSpecifier"sv, "CurrencySpecifier"sv, "PositiveSign"sv,
    "NegativeSign"sv};

constexpr InfoSubject kSubjects[] = {
    {"ZSDiskInfo", "DriveName", kDisk},
    {"ZSFileVersion", "FileName", kFileVersion},
    {"ZSWinVersion", "", kWinVersion},
    {"ZSWindows", "", kWindows},
    {"ZSSpecialFolders", "", kSpecialFolders},
    {"ZSPower", "", kPower},
    {"ZSMemory", "", kMemory},
    {"ZSScreenModes", "", kScreenModes},
    {"ZSLocaleSettings", "", kLocale},
};

}  // namespace

std::span<const InfoSubject> infoSubjects() { return kSubjects; }

}  // namespace zs::cli
