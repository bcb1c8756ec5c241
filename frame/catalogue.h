// The catalogue: every class of the library with its identities, and for each
// built class its binding. It is the one source the dynamic layer, the command
// line, the automation host and the Windows server read.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "core/class_info.h"

namespace zs {

// Every class of the type library (the 28 public classes and ZSVelquorsoft),
// in catalogue order, followed by the runtime classes. The identifiers were
// generated once and are fixed for ever: never change or reuse one.
// X(name, kind, CLSID, default interface id, event interface id, toolbox bitmap, description)
#define ZS_CATALOGUE(X) \
  X(ZSDiskInfo, Control, "8FD1E15C-2C10-492D-9814-D3C1CC5D8AE2", "5EF52E06-5DA9-448D-8BC5-6CBE147D7C0E", "77AA19A0-9A14-4B2D-93C2-3D7286B57B7A", 30017, "Drives and volumes") \
  X(ZSWinVersion, Control, "774B2441-3AEA-4DCF-A197-F1AC6D709442", "8E9695C5-932C-4A2D-9CB2-78C9C5BF7924", "987FBFC3-9027-41A6-85CE-F5052B601BF8", 30016, "The Windows version") \
  X(ZSWindows, Control, "8386579D-76EA-41BC-B785-3F18DEB83491", "58089551-251E-4CEB-9D15-3C4F479864D1", "21663DFE-8DA0-448B-8C60-767E9B588D7F", 30015, "Session control and Windows identity") \
  X(ZSStack, Control, "4573610E-678C-47E7-9FDB-3CF2F5853FEA", "AD8C1D89-B408-48B8-A55D-CD5FE4BAA6BC", "27EF9A36-950C-47F1-AA77-7EBA24B16C37", 30014, "A stack of dynamic values") \
  X(ZSSpecialFolders, Control, "7080AA6F-8153-4D1C-9578-661840A17C6D", "8E5C74B3-45B5-4551-9DCD-9AF6932942C9", "A6051E47-F44F-4A44-8CFB-5910344E37F1", 30013, "Special folders and the current directory") \
  X(ZSScreenModes, Control, "2E576CE1-35D8-4FBC-9A8B-06215BE19DD3", "2B914A1C-8983-4EBC-AC8C-11BA7C009FCA", "34828F5B-2F80-48E4-8212-A99F3B23B9B4", 30012, "Display modes") \
  X(ZSPower, Control, "347AEF4E-22DA-4FBF-9A55-085D89CEDB8F", "FE1F62EB-AF65-4425-85ED-C9C4EA17EFDA", "481F0093-4F71-4587-B168-1A2B584EC4BA", 30011, "Power capabilities and sleep states") \
  X(ZSNumbers, Control, "AC6F92E3-56D4-4EC5-A124-61D25E0DBAF6", "4FA8FBE7-9861-4610-AFB5-2AC0EE1F1FBE", "9EF672BA-7684-44DF-A7CD-28026CC47C18", 30010, "Number base conversion and random identifiers") \
  X(ZSMemory, Control, "69408A29-4F06-4814-BDF0-BD10CFDBBEA2", "14CF3576-67E0-4B78-997D-E5EC8490A3E4", "5F8EA73A-D543-466C-84BD-FF2AB51841B6", 30009, "Memory status") \
  X(ZSMath, Control, "9F8D3296-21DA-4E0A-B52C-77E2302B2345", "FDC9A678-60CD-44CE-BBD2-68C1066B67AB", "4032D436-0017-4189-BE4C-01A2BF6F831E", 30008, "Math functions") \
  X(ZSLocaleSettings, Control, "D8314D5A-DA3D-412E-9B66-B0CE56051FBF", "57394176-61D1-42BE-8875-426D8E783D02", "0226FA54-21DA-403E-9E47-0777AA847E2C", 30007, "Locale settings") \
  X(ZSLinkedList, Control, "C4109715-C87B-4B13-A943-2F3713CE06AB", "321E1371-ABD3-473A-A16E-17C36D92B1C7", "D2D08224-1FC4-410B-9529-CA2E2B3FF1E8", 30006, "A doubly linked list of dynamic values") \
  X(ZSHyperLink, Control, "D41C19CC-69F4-419C-B6C0-E46C3EFEE894", "BA03E724-4649-45E5-AC6E-D30785C3306B", "985B9A75-6153-4F4B-B6C7-80C85A2A92BE", 30005, "Web and mail links") \
  X(ZSHelp, Control, "38A3438A-CA99-4E02-9DB4-EAB3ECD86214", "D4314F7C-605F-48A0-8122-07CF1D68A7F8", "272F9948-2252-4D20-89B3-3E06625D0412", 30004, "Help files") \
  X(ZSExtractIcon, Control, "C459A682-33C2-4DB0-BCA9-0750DB03C480", "395D47E8-9A5F-41CD-94E1-71CAFF7470D5", "7107F8C6-2050-460B-882B-754757231B6A", 30003, "Icon extraction and drawing") \
  X(ZSFileVersion, Control, "6B25106E-449C-48F9-B3D8-74013E3B11B0", "1ECFDAA4-41F2-4844-A7D7-88ADEB614AA1", "1F066C82-81A2-4702-A177-6BC740D7E888", 30002, "File version information") \
  X(ZSAboutBox, Control, "263B16ED-9FA1-47A5-9172-56FD60863402", "DEBE3253-6777-49B8-AF09-A478A5FDB171", "1A654046-C85D-4912-9960-AFA0FD1D061E", 30001, "About box") \
  X(ZSSplashScreen, Control, "1C401A02-7708-4853-9DA6-FC6DA6D91467", "DE5B8F32-BBE8-4D75-BE87-7946AC2292CE", "2542C813-215B-4F78-B5AF-11B2B074136B", 30000, "Splash screen") \
  X(ZSRegistry, Global, "9C99714A-CAD2-4F43-BB10-B6711D188382", "CEC1BB0F-E5C8-4473-A643-F8C5BFDE9B13", "", 0, "Registry access") \
  X(ZSFolderSelect, Global, "18FF5987-9C65-4D34-BFC0-4CFCCE2456D1", "9217FC78-C3EF-47BB-8431-E04DB30DAF4E", "", 0, "Folder selection") \
  X(ZSRegistryKeys, Collection, "22ED2F28-BD17-4F88-B73E-6771C587CE6A", "4767E0A6-0E6D-45D6-B9F7-4FB1B3FFB5E5", "", 0, "Registry key names") \
  X(ZSRegistryKey, Item, "941EFE76-4A5A-4351-B193-D16FAB9723C4", "31D0CC8E-71C0-454C-BDFF-D15BA5D73937", "", 0, "A registry key name") \
  X(ZSRegistryValues, Collection, "40CCBEAF-70BF-4BA1-9E31-5147F27B585F", "27720885-8420-4889-83B0-E0EB4F7A169F", "", 0, "Registry values") \
  X(ZSRegistryValue, Item, "F1A71ACE-A3F4-4377-90FF-5FF643D81406", "4FDAE110-016D-4106-AF39-09D1CC873EA2", "", 0, "A registry value") \
  X(ZSFolderSelectValues, Collection, "9B604ABF-2845-41C0-9D6F-F87DA6968E38", "A81860F3-3054-44EA-91B1-4A7CE6FF9A12", "", 0, "Selected folders") \
  X(ZSFolderSelectValue, Item, "62105B17-7C45-4531-BE12-47A45477D05D", "6D3569E5-4F2A-4577-AA9B-F20B092BCCFE", "", 0, "A selected folder") \
  X(ppageAboutBoxDesign, PropertyPage, "1BB0F42E-1E1B-44FC-9540-EA08F6F3EC76", "58475BCA-8354-421E-9D27-5B43A3AE14C1", "", 0, "About box design page") \
  X(ppageSplashScreenDesign, PropertyPage, "6BBD032B-AF44-4FE9-A970-1211E17A1564", "B061EB7F-1222-4075-A76D-34E024605E4A", "", 0, "Splash screen design page") \
  X(ZSVelquorsoft, Global, "FBB77AA1-06CA-4553-BCF5-D7A3FA959B67", "609877F1-990E-4CC3-879F-3362A890C236", "", 0, "The suite's about entry") \
  X(Collection, Runtime, "", "", "", 0, "Ordered collection with optional keys") \
  X(Enumerator, Runtime, "", "", "", 0, "Enumerator over a collection")

// The compile-time identity of a class: its row in the catalogue.
enum class ClassId : std::uint8_t {
#define ZS_CLASS_ID(name, ...) name,
  ZS_CATALOGUE(ZS_CLASS_ID)
#undef ZS_CLASS_ID
};

namespace detail {
extern const ClassInfo kClassTable[];
}

// The catalogue entry of a class, without a look-up.
inline const ClassInfo& classInfo(ClassId id) {
  return detail::kClassTable[static_cast<std::size_t>(id)];
}

std::span<const ClassInfo> classes();

// The classes that the type library and the Windows server expose: the built
// classes of the catalogue (runtime classes excluded), in catalogue order.
std::vector<const ClassInfo*> exposedClasses();

// Look-ups; names are compared without regard to case. findClass accepts a
// class name, a ProgID or a CLSID with or without braces. Null when unknown.
const ClassInfo* findClass(std::string_view nameProgIdOrClsid);

// The enumerations of the built classes.
std::span<const EnumInfo> enumerations();

}  // namespace zs
