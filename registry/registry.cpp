#include "registry/registry.h"

#include <cstring>
#include <optional>
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

// A name in the code page, or nothing when it holds a NUL: the platform's
// names end there, so the name would silently lose its end.
std::optional<std::string> platformName(const String& text) {
  if (text.find(u'\0') != String::npos) return std::nullopt;
  return toAnsi(text);
}

// The 32-bit number of a REG_DWORD value, read on its own into 4 bytes.
std::int32_t queryNumber(Advapi32& api, HKEY key, const char* valueName) {
  std::int32_t number = 0;
  DWORD length = sizeof number;
  DWORD type = 0;
  api.RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&number), &length);
  return number;
}

// The bytes WriteValue stores for `data` of `type` (1, 3 or 4), converted
// before anything is created; nothing for any other type.
std::optional<std::string> valueBytes(Long type, const String& data) {
  switch (type) {
    case zvString:
      // Every byte of the converted text (a character may take several), no
      // terminating NUL.
      return toAnsi(data);
    case zvBinary: {
      const std::vector<BYTE> bytes = registry::binaryFromText(data);
      return std::string(bytes.begin(), bytes.end());
    }
    case zvDWord: {
      const std::int32_t number = parseLong(data);
      return std::string(reinterpret_cast<const char*>(&number), sizeof number);
    }
    default:
      return std::nullopt;
  }
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
  const auto path = platformName(SubKey);
  if (!path) return status(last_ = kErrorInvalidParameter);
  const HKEY root = keyFromLong(hKey);
  OpenedKey key(*api_, root);
  return status(last_ = api_->RegCreateKeyA(root, path->c_str(), key.out()));
}

Boolean Registry::KeyExist(Long hKey, const String& SubKey) {
  const auto path = platformName(SubKey);
  if (!path) {
    last_ = kErrorInvalidParameter;
    return false;
  }
  const HKEY root = keyFromLong(hKey);
  OpenedKey key(*api_, root);
  last_ = api_->RegOpenKeyExA(root, path->c_str(), 0, kKeyQueryValue, key.out());
  return last_ == kErrorSuccess;
}

// A value exists when the query succeeds or answers that the data does not
// fit the buffer: the value is there, only larger than 255 bytes.
Boolean Registry::ValueExist(Long hKey, const String& SubKey, const String& ValueName) {
  const auto path = platformName(SubKey);
  const auto name = platformName(ValueName);
  if (!path || !name) {
    last_ = kErrorInvalidParameter;
    return false;
  }
  const HKEY root = keyFromLong(hKey);
  OpenedKey key(*api_, root);
  const LONG opened = api_->RegOpenKeyExA(root, path->c_str(), 0, kKeyQueryValue, key.out());
  BYTE buffer[registry::kDataBufferSize];
  std::memset(buffer, ' ', sizeof buffer);
  DWORD length = sizeof buffer;
  DWORD type = 0;
  LONG query =
      api_->RegQueryValueExA(key.get(), name->c_str(), nullptr, &type, buffer, &length);
  if (query == kErrorMoreData) query = kErrorSuccess;
  last_ = opened != kErrorSuccess ? opened : query;
  return query == kErrorSuccess;
}

Variant Registry::DeleteKey(Long hKey, const String& SubKey) {
  const auto path = platformName(SubKey);
  if (!path) return status(last_ = kErrorInvalidParameter);
  return status(last_ = api_->RegDeleteKeyA(keyFromLong(hKey), path->c_str()));
}

Variant Registry::DeleteValue(Long hKey, const String& SubKey, const String& ValueName) {
  const auto path = platformName(SubKey);
  const auto name = platformName(ValueName);
  if (!path || !name) return status(last_ = kErrorInvalidParameter);
  const HKEY root = keyFromLong(hKey);
  OpenedKey key(*api_, root);
  const LONG opened = api_->RegOpenKeyExA(root, path->c_str(), 0, kKeyAllAccess, key.out());
  const LONG deleted = api_->RegDeleteValueA(key.get(), name->c_str());
  last_ = opened != kErrorSuccess ? opened : deleted;
  return status(deleted);
}

std::shared_ptr<RegistryKeys> Registry::ListKeys(Long hKey, const String& SubKey) {
  const auto path = platformName(SubKey);
  if (!path) {
    last_ = kErrorInvalidParameter;
    return nullptr;
  }
  const HKEY root = keyFromLong(hKey);
  OpenedKey opened(*api_, root);
  HKEY key = root;  // an empty path enumerates the root itself
  if (!SubKey.empty()) {
    last_ = api_->RegOpenKeyExA(root, path->c_str(), 0, kKeyRead, opened.out());
    if (last_ != kErrorSuccess) return nullptr;
    key = opened.get();
  }
  for (DWORD index = 0;; ++index) {
    char name[registry::kKeyNameBufferSize];
    std::memset(name, ' ', sizeof name);
    last_ = api_->RegEnumKeyA(key, index, name, sizeof name);
    if (last_ != kErrorSuccess) break;
    keys().Add(fromAnsi(std::string_view(name, strnlen(name, sizeof name))));
  }
  if (last_ == kErrorNoMoreItems) last_ = kErrorSuccess;
  keys();
  return keys_;
}

std::shared_ptr<RegistryValues> Registry::ListValues(Long hKey, const String& SubKey) {
  const auto path = platformName(SubKey);
  last_ = kErrorInvalidParameter;
  const HKEY root = keyFromLong(hKey);
  OpenedKey key(*api_, root);
  if (path) last_ = api_->RegOpenKeyExA(root, path->c_str(), 0, kKeyRead, key.out());
  if (last_ == kErrorSuccess) {
    registry::EnumeratedValue entry;
    for (DWORD index = 0;; ++index) {
      registry::enumValue(*api_, key.get(), index, entry);
      if (entry.status == kErrorNoMoreItems) break;
      // A value too large to read is passed over; any other failure (the key
      // deleted meanwhile, the store unreadable) would repeat for every index.
      if (entry.status == kErrorMoreData) continue;
      if (entry.status != kErrorSuccess) {
        last_ = entry.status;
        break;
      }
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
  const auto path = platformName(SubKey);
  const auto name = platformName(ValueName);
  if (!path || !name) return status(last_ = kErrorInvalidParameter);
  last_ = kErrorSuccess;
  const std::optional<std::string> bytes = valueBytes(ValueType, ValueData);
  const HKEY root = keyFromLong(hKey);
  OpenedKey key(*api_, root);
  last_ = api_->RegCreateKeyA(root, path->c_str(), key.out());
  // Any other type writes nothing; the key has been created all the same.
  if (last_ != kErrorSuccess || !bytes) return status(last_);
  // The three types are the registry's own type codes.
  last_ = api_->RegSetValueExA(key.get(), name->c_str(), 0, static_cast<DWORD>(ValueType),
                               reinterpret_cast<const BYTE*>(bytes->data()),
                               static_cast<DWORD>(bytes->size()));
  return status(last_);
}

Variant Registry::ReadValue(Long hKey, const String& SubKey, const String& ValueName) {
  const auto path = platformName(SubKey);
  const auto name = platformName(ValueName);
  if (!path || !name) {
    last_ = kErrorInvalidParameter;
    return Variant();
  }
  const HKEY root = keyFromLong(hKey);
  OpenedKey key(*api_, root);
  const LONG opened = api_->RegOpenKeyExA(root, path->c_str(), 0, kKeyRead, key.out());
  const registry::QueriedValue value = registry::queryValue(*api_, key.get(), name->c_str());
  last_ = opened != kErrorSuccess ? opened : value.status;
  if (value.status != kErrorSuccess) return Variant();
  switch (value.type) {
    case kRegSz:
      return Variant(registry::stringFromData(value.data));
    case kRegBinary:
      return Variant(registry::textFromBinary(value.data));
    case kRegDword:
      return Variant(registry::numberText(queryNumber(*api_, key.get(), name->c_str())));
    default:
      return Variant();
  }
}

// Reading the type needs no more rights than reading the value does.
Variant Registry::ReadDataType(Long hKey, const String& SubKey, const String& ValueName) {
  const auto path = platformName(SubKey);
  const auto name = platformName(ValueName);
  if (!path || !name) {
    last_ = kErrorInvalidParameter;
    return Variant();
  }
  const HKEY root = keyFromLong(hKey);
  OpenedKey key(*api_, root);
  const LONG opened = api_->RegOpenKeyExA(root, path->c_str(), 0, kKeyRead, key.out());
  BYTE buffer[registry::kDataBufferSize];
  std::memset(buffer, ' ', sizeof buffer);
  DWORD length = sizeof buffer;
  DWORD type = 0;
  LONG query = api_->RegQueryValueExA(key.get(), name->c_str(), nullptr, &type, buffer, &length);
  if (query == kErrorMoreData) query = kErrorSuccess;
  last_ = opened != kErrorSuccess ? opened : query;
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
