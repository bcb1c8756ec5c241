// ZSRegistry: create, test, read, write, list and delete registry keys and
// values through the platform's advapi32.
//
// Every method names a key by a root (hKey, a predefined key handle value or
// any other handle, passed to the platform unchanged) and a path below it
// (SubKey, empty for the root itself), opens what it needs, does one
// operation and closes what it opened before returning. Names and string data
// cross in the system's 8-bit code page.
//
// The two listing methods append to collections that the object keeps for
// its whole life: ListKeys to one ZSRegistryKeys, ListValues to one
// ZSRegistryValues, each created at its first use and returned again (with
// the items of every earlier call) by each later call.
//
// The automation parameters are passed by reference, but no member writes to
// them, so the typed methods take them as const references or plain values.
//
// A SubKey or ValueName holding a NUL character is refused as the platform
// refuses an invalid name (87) before anything is opened, since the
// platform's names end at the first NUL: the status methods return 87, the
// tests give False, the reads Empty, ListKeys Nothing and ListValues its
// collection unchanged.
#pragma once

#include <cstdint>
#include <memory>

#include "core/class_info.h"
#include "frame/keyed_collections.h"
#include "core/object.h"
#include "core/variant.h"
#include "platform/libraries.h"

namespace zs {

// ZSRegistryDataTypeConstants: the registry type codes of the supported data.
enum RegistryDataType : Long {
  zvString = 1,
  zvBinary = 3,
  zvDWord = 4,
};

// ZSRegistryHKeyConstants: the predefined root keys by their handle values.
enum RegistryHKey : Long {
  zvHKEY_CLASSES_ROOT = static_cast<Long>(0x80000000u),
  zvHKEY_CURRENT_USER = static_cast<Long>(0x80000001u),
  zvHKEY_LOCAL_MACHINE = static_cast<Long>(0x80000002u),
  zvHKEY_USERS = static_cast<Long>(0x80000003u),
  zvHKEY_PERFORMANCE_DATA = static_cast<Long>(0x80000004u),
  zvHKEY_CURRENT_CONFIG = static_cast<Long>(0x80000005u),
  zvHKEY_DYN_DATA = static_cast<Long>(0x80000006u),
};

// ZSRegistryErrorConstants: names for status codes. No method maps a status
// to them; statuses are the platform's own codes, returned unchanged.
enum RegistryError : Long {
  zvNone = 0,
  zvBadDb = 1,
  zvBadKey = 2,
  zvCantOpen = 3,
  zvCantRead = 4,
  zvCantWrite = 5,
  zvOutOfMemory = 6,
  zvArenaTrashed = 7,
  zvAccessDenied = 8,
  zvInvalidParameters = 87,
  zvNoMoreItems = 259,
};

class Registry : public Object {
 public:
  explicit Registry(const platform::Libraries& libraries = platform::systemLibraries());

  // Creates every missing level of the path (or opens the key); the status.
  Variant CreateKey(Long hKey, const String& SubKey);
  // True when the key can be opened for querying values.
  Boolean KeyExist(Long hKey, const String& SubKey);
  // True when the key holds a value of that name, whatever its size.
  Boolean ValueExist(Long hKey, const String& SubKey, const String& ValueName);
  // The status of deleting the key (one with sub-keys is the platform's rule).
  Variant DeleteKey(Long hKey, const String& SubKey);
  // The status of deleting the value (6 when the key cannot be opened: the
  // deletion runs on no key).
  Variant DeleteValue(Long hKey, const String& SubKey, const String& ValueName);
  // Appends the key's sub-key names to the object's ZSRegistryKeys and
  // returns it; null when a non-empty SubKey cannot be opened.
  std::shared_ptr<RegistryKeys> ListKeys(Long hKey, const String& SubKey);
  // Appends the key's string, binary and number values to the object's
  // ZSRegistryValues and returns it (unchanged when the key cannot be opened).
  std::shared_ptr<RegistryValues> ListValues(Long hKey, const String& SubKey);
  // Creates the key and writes one value of type 1, 3 or 4 (any other type
  // writes nothing); the status of creating the key when that fails, else of
  // the write. The data is converted first: when it raises an error nothing
  // has been created.
  Variant WriteValue(Long hKey, const String& SubKey, Long ValueType, const String& ValueName,
                     const String& ValueData);
  // The value as a String (numbers as signed decimal text); Empty when it is
  // missing or of another type.
  Variant ReadValue(Long hKey, const String& SubKey, const String& ValueName);
  // The value's type as a Long 1, 3 or 4; Empty otherwise.
  Variant ReadDataType(Long hKey, const String& SubKey, const String& ValueName);

  const ClassInfo* classInfo() const override;

  // For C++ callers such as `zavrin reg` (not an automation member): the
  // platform status behind the outcome of the last method called, 0 when it
  // went through. It is the first failing call of the method: the opening
  // for KeyExist, ValueExist, the reads and the listings (the enumeration's
  // when it ended on anything but "no more items"), the opening for
  // DeleteValue when that failed, otherwise the status the method returns.
  platform::LONG lastStatus() const { return last_; }

 private:
  RegistryKeys& keys();
  RegistryValues& values();

  std::shared_ptr<platform::Advapi32> api_;
  std::shared_ptr<RegistryKeys> keys_;
  std::shared_ptr<RegistryValues> values_;
  platform::LONG last_ = 0;
};

}  // namespace zs
