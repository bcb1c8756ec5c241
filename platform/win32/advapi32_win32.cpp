#ifdef _WIN32
#include "platform/win32/advapi32_win32.h"

#include <windows.h>

namespace zs::platform::win32 {

namespace {

// The handle types are the same size; only the spelling differs.
static_assert(sizeof(::HKEY) == sizeof(HKEY));
static_assert(sizeof(::DWORD) == sizeof(DWORD));

::HKEY native(HKEY key) { return reinterpret_cast<::HKEY>(key); }
HKEY portable(::HKEY key) { return reinterpret_cast<HKEY>(key); }
// An optional in/out DWORD passed through a variable of the system's own type
// (the two types have the same size but are distinct to the compiler).
class DwordSlot {
 public:
  explicit DwordSlot(DWORD* caller) : caller_(caller), value_(caller ? *caller : 0) {}
  ~DwordSlot() {
    if (caller_ != nullptr) *caller_ = static_cast<DWORD>(value_);
  }
  DwordSlot(const DwordSlot&) = delete;
  DwordSlot& operator=(const DwordSlot&) = delete;
  ::LPDWORD get() { return caller_ != nullptr ? &value_ : nullptr; }

 private:
  DWORD* caller_;
  ::DWORD value_;
};

}  // namespace

LONG Advapi32Win32::RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM sam,
                                  HKEY* result) {
  if (result == nullptr) return kErrorInvalidParameter;
  ::HKEY opened = nullptr;
  const ::LONG status = ::RegOpenKeyExA(native(key), subKey, options, sam, &opened);
  *result = status == ERROR_SUCCESS ? portable(opened) : 0;
  return static_cast<LONG>(status);
}

LONG Advapi32Win32::RegCreateKeyA(HKEY key, const char* subKey, HKEY* result) {
  if (result == nullptr) return kErrorInvalidParameter;
  ::HKEY created = nullptr;
  const ::LONG status = ::RegCreateKeyA(native(key), subKey, &created);
  *result = status == ERROR_SUCCESS ? portable(created) : 0;
  return static_cast<LONG>(status);
}

LONG Advapi32Win32::RegCloseKey(HKEY key) { return static_cast<LONG>(::RegCloseKey(native(key))); }

LONG Advapi32Win32::RegDeleteKeyA(HKEY key, const char* subKey) {
  return static_cast<LONG>(::RegDeleteKeyA(native(key), subKey));
}

LONG Advapi32Win32::RegDeleteValueA(HKEY key, const char* valueName) {
  return static_cast<LONG>(::RegDeleteValueA(native(key), valueName));
}

LONG Advapi32Win32::RegEnumKeyA(HKEY key, DWORD index, char* name, DWORD nameSize) {
  return static_cast<LONG>(::RegEnumKeyA(native(key), index, name, nameSize));
}

LONG Advapi32Win32::RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameLength,
                                  DWORD* reserved, DWORD* type, BYTE* data, DWORD* dataLength) {
  DwordSlot nameSlot(nameLength), reservedSlot(reserved), typeSlot(type), dataSlot(dataLength);
  return static_cast<LONG>(::RegEnumValueA(native(key), index, name, nameSlot.get(),
                                           reservedSlot.get(), typeSlot.get(), data,
                                           dataSlot.get()));
}

LONG Advapi32Win32::RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved,
                                     DWORD* type, BYTE* data, DWORD* dataLength) {
  DwordSlot reservedSlot(reserved), typeSlot(type), dataSlot(dataLength);
  return static_cast<LONG>(::RegQueryValueExA(native(key), valueName, reservedSlot.get(),
                                              typeSlot.get(), data, dataSlot.get()));
}

LONG Advapi32Win32::RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type,
                                   const BYTE* data, DWORD dataLength) {
  return static_cast<LONG>(
      ::RegSetValueExA(native(key), valueName, reserved, type, data, dataLength));
}

BOOL Advapi32Win32::GetUserNameA(char* buffer, DWORD* size) {
  ::DWORD n = size ? *size : 0;
  const BOOL ok = ::GetUserNameA(buffer, size ? &n : nullptr);
  if (size) *size = n;
  return ok;
}

BOOL Advapi32Win32::OpenProcessToken(HANDLE process, DWORD desiredAccess, HANDLE* token) {
  ::HANDLE opened = nullptr;
  const BOOL ok = ::OpenProcessToken(reinterpret_cast<::HANDLE>(process), desiredAccess,
                                     token ? &opened : nullptr);
  if (token) *token = reinterpret_cast<HANDLE>(opened);
  return ok;
}

BOOL Advapi32Win32::LookupPrivilegeValueA(const char* systemName, const char* name, LUID* luid) {
  static_assert(sizeof(LUID) == sizeof(::LUID));
  return ::LookupPrivilegeValueA(systemName, name, reinterpret_cast<::LUID*>(luid));
}

BOOL Advapi32Win32::AdjustTokenPrivileges(HANDLE token, BOOL disableAllPrivileges,
                                          const TOKEN_PRIVILEGES* newState, DWORD bufferLength,
                                          TOKEN_PRIVILEGES* previousState, DWORD* returnLength) {
  static_assert(sizeof(TOKEN_PRIVILEGES) == sizeof(::TOKEN_PRIVILEGES));
  DwordSlot length(returnLength);
  return ::AdjustTokenPrivileges(
      reinterpret_cast<::HANDLE>(token), disableAllPrivileges,
      const_cast<::TOKEN_PRIVILEGES*>(reinterpret_cast<const ::TOKEN_PRIVILEGES*>(newState)),
      bufferLength, reinterpret_cast<::TOKEN_PRIVILEGES*>(previousState), length.get());
}

}  // namespace zs::platform::win32
#endif  // _WIN32
