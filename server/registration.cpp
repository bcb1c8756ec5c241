#include "server/registration.h"

#include <oleauto.h>
#include <olectl.h>

#include <string>

#include "frame/catalogue.h"
#include "server/design_property_page.h"
#include "server/module.h"

namespace zs::server {
namespace {

std::wstring wide(std::string_view text) {
  std::wstring out;
  for (char c : text) out += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return out;
}

// Creates HKEY_CLASSES_ROOT\<path> and sets its values (name "" is the default).
LONG writeKey(const std::wstring& path,
              std::initializer_list<std::pair<const wchar_t*, std::wstring>> values) {
  RegKey key;
  LONG status = RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_SET_VALUE, nullptr, key.put(), nullptr);
  for (const auto& [name, data] : values) {
    if (status != ERROR_SUCCESS) break;
    status = RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                            static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  }
  return status;
}

LONG removeTree(const std::wstring& path) {
  LONG status = RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
  if (status == ERROR_SUCCESS) status = RegDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str());
  return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

LONG registerClass(const ClassInfo& cls, const std::wstring& dll) {
  const std::wstring clsid = L"CLSID\\" + guidText(cls.clsid);
  const std::wstring progId = wide(cls.progId());
  const std::wstring libId = guidText(library::kLibId);
  const std::wstring version = std::to_wstring(library::kMajorVersion) + L"." +
                               std::to_wstring(library::kMinorVersion);
  LONG s = writeKey(clsid, {{L"", progId}});
  if (s == ERROR_SUCCESS) s = writeKey(clsid + L"\\InprocServer32", {{L"", dll}, {L"ThreadingModel", L"Apartment"}});
  if (s == ERROR_SUCCESS) s = writeKey(clsid + L"\\ProgID", {{L"", progId}});
  if (s == ERROR_SUCCESS) s = writeKey(clsid + L"\\TypeLib", {{L"", libId}});
  if (s == ERROR_SUCCESS) s = writeKey(clsid + L"\\VERSION", {{L"", version}});
  if (s == ERROR_SUCCESS) s = writeKey(clsid + L"\\Programmable", {});
  if (s == ERROR_SUCCESS && cls.kind == ClassKind::Control) {
    s = writeKey(clsid + L"\\Control", {});
    if (s == ERROR_SUCCESS)
      s = writeKey(clsid + L"\\ToolboxBitmap32", {{L"", dll + L", " + std::to_wstring(cls.toolboxBitmap)}});
    if (s == ERROR_SUCCESS) s = writeKey(clsid + L"\\MiscStatus", {{L"", L"0"}});
    if (s == ERROR_SUCCESS)
      s = writeKey(clsid + L"\\MiscStatus\\1", {{L"", std::to_wstring(library::kControlMiscStatus)}});
  }
  if (s == ERROR_SUCCESS) s = writeKey(progId, {{L"", progId}});
  if (s == ERROR_SUCCESS) s = writeKey(progId + L"\\CLSID", {{L"", guidText(cls.clsid)}});
  return s;
}

// A property page: containers create it by class id alone.
LONG registerPage(const ClassInfo& cls, const std::wstring& dll) {
  const std::wstring clsid = L"CLSID\\" + guidText(cls.clsid);
  LONG s = writeKey(clsid, {{L"", wide(cls.description)}});
  if (s == ERROR_SUCCESS) s = writeKey(clsid + L"\\InprocServer32", {{L"", dll}, {L"ThreadingModel", L"Apartment"}});
  return s;
}

}  // namespace

HRESULT registerServer() {
  const std::wstring dll = modulePath();
  if (dll.empty()) return SELFREG_E_CLASS;
  for (const ClassInfo* cls : exposedClasses()) {
    if (!cls->creatable()) continue;
    if (registerClass(*cls, dll) != ERROR_SUCCESS) {
      unregisterServer();
      return SELFREG_E_CLASS;
    }
  }
  for (const ClassInfo* page : propertyPageClasses()) {
    if (registerPage(*page, dll) != ERROR_SUCCESS) {
      unregisterServer();
      return SELFREG_E_CLASS;
    }
  }
  auto library = typeLibrary();
  if (!library) {
    unregisterServer();
    return SELFREG_E_TYPELIB;
  }
  std::wstring path = dll;
  HRESULT hr = RegisterTypeLib(library.get(), path.data(), nullptr);
  if (FAILED(hr)) {
    unregisterServer();
    return SELFREG_E_TYPELIB;
  }
  return S_OK;
}

HRESULT unregisterServer() {
  HRESULT result = S_OK;
  // Every class of the catalogue, built or not, so that entries of an earlier
  // build with more classes go as well.
  for (const ClassInfo& cls : classes()) {
    if (cls.clsid.empty()) continue;
    if (removeTree(L"CLSID\\" + guidText(cls.clsid)) != ERROR_SUCCESS) result = SELFREG_E_CLASS;
    if (removeTree(wide(cls.progId())) != ERROR_SUCCESS) result = SELFREG_E_CLASS;
  }
  const SYSKIND kind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
  HRESULT hr = UnRegisterTypeLib(guidFrom(library::kLibId), library::kMajorVersion,
                                 library::kMinorVersion, 0, kind);
  if (FAILED(hr) && hr != TYPE_E_REGISTRYACCESS && hr != TYPE_E_LIBNOTREGISTERED &&
      hr != HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND))
    result = SELFREG_E_TYPELIB;
  return result;
}

}  // namespace zs::server
