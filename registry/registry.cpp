#include "registry/registry.h"

#include <cstring>
#include <string>

#include "core/variant_ops.h"
#include "platform/ansi.h"
#include "registry/registry_data.h"
#include "registry/registry_key.h"

namespace zs {

using namespace platform;
using registry::OpenedKey;

namespace {

Variant status(LONG code) { return Variant(Long{code}); }

// The 32-bit number of a REG_DWORD value, read on its own into 4 bytes.
std::int32_t queryNumber(Advapi32& api, HKEY key, const char* valueName) {
  std::int32_t number = 0;
  DWORD length = sizeof number;
  DWORD type = 0;
  api.RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&number), &length);
  return number;
}

}  // namespace

Registry::Registry(const Libraries& libraries) : api_(libraries.advapi32) {}

RegistryKeys& Registry::keys() {
  if (!keys_) keys_ = create<RegistryKeys>();
  return *keys_;
}

RegistryValues& Registry::values() {
  if (!values_) values_ = create<RegistryValues>();
  return *values_;
}

Variant Registry::CreateKey(Long hKey, const String& SubKey) {
  const HKEY root = keyFromLong(hKey);
  OpenedKey key(*api_, root);
  return status(api_->RegCreateKeyA(root, toAnsi(SubKey).c_str(), key.out()));
}

Boolean Registry::KeyExist(Long hKey, const String& SubKey) {
  const HKEY root = keyFromLong(hKey);
  OpenedKey key(*api_, root);
  return api_->RegOpenKeyExA(root, toAnsi(SubKey).c_str(), 0, kKeyQueryValue, key.out()) ==
         kErrorSuccess;
}

// A value exists when the query succeeds or answers that the data does not
// fit the buffer: the value is there, only larger than 255 bytes.
Boolean Registry::ValueExist(Long hKey, const String& SubKey, const String& ValueName) {
  const HKEY root = keyFromLong(hKey);
  OpenedKey key(*api_, root);
  api_->RegOpenKeyExA(root, toAnsi(SubKey).c_str(), 0, kKeyQueryValue, key.out());
  BYTE buffer[registry::kDataBufferSize];
  std::memset(buffer, ' ', sizeof buffer);
  DWORD length = sizeof buffer;
  DWORD type = 0;
  const LONG query = api_->RegQueryValueExA(key.get(), toAnsi(ValueName).c_str(), nullptr, &type,
                                            buffer, &length);
  return query == kErrorSuccess || query == kErrorMoreData;
}

Variant Registry::DeleteKey(Long hKey, const String& SubKey) {
  return status(api_->RegDeleteKeyA(keyFromLong(hKey), toAnsi(SubKey).c_str()));
}

Variant Registry::DeleteValue(Long hKey, const String& SubKey, const String& ValueName) {
  const HKEY root = keyFromLong(hKey);
  OpenedKey key(*api_, root);
  api_->RegOpenKeyExA(root, toAnsi(SubKey).c_str(), 0, kKeyAllAccess, key.out());
  return status(api_->RegDeleteValueA(key.get(), toAnsi(ValueName).c_str()));
}

std::shared_ptr<RegistryKeys> Registry::ListKeys(Long hKey, const String& SubKey) {
  const HKEY root = keyFromLong(hKey);
  OpenedKey opened(*api_, root);
  HKEY key = root;  // an empty path enumerates the root itself
  if (!SubKey.empty()) {
    if (api_->RegOpenKeyExA(root, toAnsi(SubKey).c_str(), 0, kKeyRead, opened.out()) !=
        kErrorSuccess) {
      return nullptr;
    }
    key = opened.get();
  }
  for (DWORD index = 0;; ++index) {
    char name[registry::kKeyNameBufferSize];
    std::memset(name, ' ', sizeof name);
    if (api_->RegEnumKeyA(key, index, name, sizeof name) != kErrorSuccess) break;
    keys().Add(fromAnsi(std::string_view(name, strnlen(name, sizeof name))));
  }
  keys();
  return keys_;
}

std::shared_ptr<RegistryValues> Registry::ListValues(Long hKey, const String& SubKey) {
  const HKEY root = keyFromLong(hKey);
  OpenedKey key(*api_, root);
  if (api_->RegOpenKeyExA(root, toAnsi(SubKey).c_str(), 0, kKeyRead, key.out()) ==
      kErrorSuccess) {
    for (DWORD index = 0;; ++index) {
      const registry::EnumeratedValue entry = registry::enumValue(*api_, key.get(), index);
      if (entry.status == kErrorNoMoreItems) break;
      // A value too large to read is passed over; any other failure (the key
      // deleted meanwhile, the store unreadable) would repeat for every index.
      if (entry.status == kErrorMoreData) continue;
      if (entry.status != kErrorSuccess) break;
      if (entry.data.empty()) continue;
      switch (entry.type) {
        case kRegSz:
          values().Add(fromAnsi(entry.name), registry::stringFromData(entry.data), zvString);
          break;
        case kRegBinary:
          values().Add(fromAnsi(entry.name), registry::textFromBinary(entry.data), zvBinary);
          break;
        case kRegDword: {
          // The entry again, its data read into a 32-bit number.
          std::string name(entry.nameBufferSize, ' ');
          DWORD nameLength = entry.nameBufferSize;
          DWORD type = 0;
          std::int32_t number = 0;
          DWORD length = sizeof number;
          api_->RegEnumValueA(key.get(), index, name.data(), &nameLength, nullptr, &type,
                              reinterpret_cast<BYTE*>(&number), &length);
          name.resize(std::min<std::size_t>(nameLength, name.size()));
          values().Add(fromAnsi(name), registry::numberText(number), static_cast<Long>(type));
          break;
        }
        default:
          break;  // other types are not listed
      }
    }
  }
  values();
  return values_;
}

Variant Registry::WriteValue(Long hKey, const String& SubKey, Long ValueType,
                             const String& ValueName, const String& ValueData) {
  const HKEY root = keyFromLong(hKey);
  OpenedKey key(*api_, root);
  LONG result = api_->RegCreateKeyA(root, toAnsi(SubKey).c_str(), key.out());
  const std::string name = toAnsi(ValueName);
  switch (ValueType) {
    case zvString: {
      // Every byte of the converted text (a character may take several), no
      // terminating NUL.
      const std::string text = toAnsi(ValueData);
      result = api_->RegSetValueExA(key.get(), name.c_str(), 0, kRegSz,
                                    reinterpret_cast<const BYTE*>(text.data()),
                                    static_cast<DWORD>(text.size()));
      break;
    }
    case zvBinary: {
      const std::vector<BYTE> bytes = registry::binaryFromText(ValueData);
      result = api_->RegSetValueExA(key.get(), name.c_str(), 0, kRegBinary, bytes.data(),
                                    static_cast<DWORD>(bytes.size()));
      break;
    }
    case zvDWord: {
      const std::int32_t number = parseLong(ValueData);
      result = api_->RegSetValueExA(key.get(), name.c_str(), 0, kRegDword,
                                    reinterpret_cast<const BYTE*>(&number), sizeof number);
      break;
    }
    default:
      break;  // nothing is written; the key has been created all the same
  }
  return status(result);
}

Variant Registry::ReadValue(Long hKey, const String& SubKey, const String& ValueName) {
  const HKEY root = keyFromLong(hKey);
  OpenedKey key(*api_, root);
  api_->RegOpenKeyExA(root, toAnsi(SubKey).c_str(), 0, kKeyRead, key.out());
  const std::string name = toAnsi(ValueName);
  const registry::QueriedValue value = registry::queryValue(*api_, key.get(), name.c_str());
  if (value.status != kErrorSuccess) return Variant();
  switch (value.type) {
    case kRegSz:
      return Variant(registry::stringFromData(value.data));
    case kRegBinary:
      return Variant(registry::textFromBinary(value.data));
    case kRegDword:
      return Variant(registry::numberText(queryNumber(*api_, key.get(), name.c_str())));
    default:
      return Variant();
  }
}

// Reading the type needs no more rights than reading the value does.
Variant Registry::ReadDataType(Long hKey, const String& SubKey, const String& ValueName) {
  const HKEY root = keyFromLong(hKey);
  OpenedKey key(*api_, root);
  api_->RegOpenKeyExA(root, toAnsi(SubKey).c_str(), 0, kKeyRead, key.out());
  BYTE buffer[registry::kDataBufferSize];
  std::memset(buffer, ' ', sizeof buffer);
  DWORD length = sizeof buffer;
  DWORD type = 0;
  api_->RegQueryValueExA(key.get(), toAnsi(ValueName).c_str(), nullptr, &type, buffer, &length);
  switch (type) {
    case kRegSz:
    case kRegBinary:
    case kRegDword:
      return Variant(static_cast<Long>(type));
    default:
      return Variant();
  }
}

}  // namespace zs
