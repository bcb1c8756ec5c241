// ZSTest.MemoryDC: a drawing surface for the VBScript suites, registered
// only in the test's own Wine prefix. A memory device context holding a
// 32-bit DIB section of a given size, filled with a known colour; scripts pass
// its `hDC` to a member that draws and read the pixels back. It also writes
// the icon fixtures the drawing suite reads (icon_fixtures.h).
//
//   Create(width, height, colour)       Boolean: False where no device context can be made
//   Clear()                             fills the surface with its colour again
//   hDC                                 Long
//   Pixel(x, y)                         Long 0x00BBGGRR; -1 outside the surface
//   CountIn(left, top, width, height, colour)
//                                       Long: pixels of that colour in the rectangle
//   WriteIconFile(path), WriteIconLibrary(path)
//                                       Boolean: the .ico and the two-icon executable
//
// A minimal IDispatch without a type library; every argument arrives as a
// Variant (by reference from a script variable) and is converted.
#include <windows.h>
#include <oleauto.h>
#include <olectl.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "icon_fixtures.h"
#include "server/ref_count.h"

namespace {

// {6F1D2C7A-3B8E-4E25-9C41-7A0D5E2B9F13}
constexpr CLSID kClsid = {0x6f1d2c7a, 0x3b8e, 0x4e25, {0x9c, 0x41, 0x7a, 0x0d, 0x5e, 0x2b, 0x9f, 0x13}};
constexpr char kClsidText[] = "{6F1D2C7A-3B8E-4E25-9C41-7A0D5E2B9F13}";
constexpr char kProgId[] = "ZSTest.MemoryDC";
constexpr int kMaxSide = 4096;

HMODULE gModule = nullptr;
std::atomic<long> gObjects{0};

enum Member : DISPID { kCreate = 1, kClear, kHdc, kPixel, kCountIn, kWriteIconFile, kWriteIconLibrary };

struct MemberName {
  const wchar_t* name;
  DISPID id;
  UINT arguments;
};
constexpr MemberName kMembers[] = {
    {L"Create", kCreate, 3},         {L"Clear", kClear, 0},
    {L"hDC", kHdc, 0},               {L"Pixel", kPixel, 2},
    {L"CountIn", kCountIn, 5},       {L"WriteIconFile", kWriteIconFile, 1},
    {L"WriteIconLibrary", kWriteIconLibrary, 1},
};

// The memory device context with its DIB section selected; released on every path.
class Surface {
 public:
  Surface() = default;
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  ~Surface() { release(); }

  bool create(int width, int height, std::uint32_t colour) {
    release();
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return false;
    dc_ = CreateCompatibleDC(nullptr);
    if (!dc_) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap_ || !bits) {
      release();
      return false;
    }
    previous_ = SelectObject(dc_, bitmap_);
    bits_ = static_cast<std::uint32_t*>(bits);
    width_ = width;
    height_ = height;
    colour_ = colour;
    clear();
    return true;
  }

  void clear() {
    GdiFlush();
    std::fill(bits_, bits_ + std::size_t(width_) * height_, toDib(colour_));
  }

  HDC dc() const { return dc_; }

  long pixel(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
    GdiFlush();
    return static_cast<long>(fromDib(bits_[std::size_t(y) * width_ + x]));
  }

  long countIn(int left, int top, int width, int height, std::uint32_t colour) const {
    if (!bits_) return 0;
    GdiFlush();
    const int right = std::min(width_, left + std::max(width, 0)), bottom = std::min(height_, top + std::max(height, 0));
    long count = 0;
    for (int y = std::max(top, 0); y < bottom; ++y) {
      for (int x = std::max(left, 0); x < right; ++x) count += fromDib(bits_[std::size_t(y) * width_ + x]) == colour;
    }
    return count;
  }

 private:
  // A DIB pixel is 0x00RRGGBB; a colour is 0x00BBGGRR.
  static std::uint32_t toDib(std::uint32_t c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
  static std::uint32_t fromDib(std::uint32_t p) { return toDib(p & 0xFFFFFF); }

  void release() {
    if (dc_ && previous_) SelectObject(dc_, previous_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    previous_ = nullptr;
    bits_ = nullptr;
    width_ = height_ = 0;
  }

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  int width_ = 0, height_ = 0;
  std::uint32_t colour_ = 0;
};

bool writeFile(BSTR path, const zs::platform::testing::Bytes& bytes) {
  if (!path) return false;
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

// Argument i counted from the first; Invoke's array holds them last first.
HRESULT argumentAs(DISPPARAMS* params, UINT i, VARTYPE type, VARIANT& out) {
  VariantInit(&out);
  return VariantChangeType(&out, &params->rgvarg[params->cArgs - 1 - i], 0, type);
}

class MemoryDc final : public IDispatch {
 public:
  MemoryDc() { ++gObjects; }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() { --gObjects; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch) return E_NOINTERFACE;
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return references_.add(); }
  ULONG STDMETHODCALLTYPE Release() override { return references_.release(this); }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (!names || !ids || count == 0) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    for (const auto& m : kMembers) {
      if (names[0] && lstrcmpiW(names[0], m.name) == 0) {
        ids[0] = m.id;
        return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;  // no named arguments
      }
    }
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO*, UINT* badArgument) override {
    const MemberName* member = nullptr;
    for (const auto& m : kMembers) {
      if (m.id == id) member = &m;
    }
    if (!member) return DISP_E_MEMBERNOTFOUND;
    if (!params || params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    if (params->cArgs != member->arguments) return DISP_E_BADPARAMCOUNT;
    // Longs first, then the one string argument of the writers.
    VARIANT args[5];
    const VARTYPE type = (id == kWriteIconFile || id == kWriteIconLibrary) ? VT_BSTR : VT_I4;
    UINT converted = 0;
    HRESULT hr = S_OK;
    for (; converted < params->cArgs && SUCCEEDED(hr); ++converted) {
      hr = argumentAs(params, converted, type, args[converted]);
    }
    VARIANT value;
    VariantInit(&value);
    if (SUCCEEDED(hr)) {
      hr = call(id, args, value);
    } else if (badArgument) {
      *badArgument = params->cArgs - converted;
    }
    for (UINT i = 0; i < converted; ++i) VariantClear(&args[i]);
    if (SUCCEEDED(hr) && result) {
      *result = value;
    } else {
      VariantClear(&value);
    }
    return hr;
  }

 private:
  HRESULT call(DISPID id, const VARIANT* a, VARIANT& value) {
    switch (id) {
      case kCreate:
        value.vt = VT_BOOL;
        value.boolVal = surface_.create(a[0].lVal, a[1].lVal, static_cast<std::uint32_t>(a[2].lVal)) ? VARIANT_TRUE
                                                                                                    : VARIANT_FALSE;
        return S_OK;
      case kClear:
        if (!surface_.dc()) return E_UNEXPECTED;
        surface_.clear();
        return S_OK;
      case kHdc:
        value.vt = VT_I4;
        // Device context handles keep their meaning in 32 bits, as a host's Long carries them.
        value.lVal = static_cast<LONG>(reinterpret_cast<std::intptr_t>(surface_.dc()));
        return S_OK;
      case kPixel:
        value.vt = VT_I4;
        value.lVal = surface_.pixel(a[0].lVal, a[1].lVal);
        return S_OK;
      case kCountIn:
        value.vt = VT_I4;
        value.lVal = surface_.countIn(a[0].lVal, a[1].lVal, a[2].lVal, a[3].lVal, static_cast<std::uint32_t>(a[4].lVal));
        return S_OK;
      case kWriteIconFile:
      case kWriteIconLibrary:
        value.vt = VT_BOOL;
        value.boolVal = writeFile(a[0].bstrVal, id == kWriteIconFile ? zs::wine_fixtures::iconFile()
                                                                     : zs::wine_fixtures::iconLibrary())
                            ? VARIANT_TRUE
                            : VARIANT_FALSE;
        return S_OK;
      default:
        return DISP_E_MEMBERNOTFOUND;
    }
  }

  zs::server::RefCount<MemoryDc> references_{1};
  Surface surface_;
};

class Factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
    *out = static_cast<IClassFactory*>(this);
    return S_OK;
  }
  // One factory for the module's life.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto object = std::make_unique<MemoryDc>();
    const HRESULT hr = object->QueryInterface(iid, out);
    object.release()->Release();  // the interface holds the object now, or nothing does
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

Factory gFactory;

bool setValue(const std::string& key, const char* name, const std::string& value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const LONG status = RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                     static_cast<DWORD>(value.size() + 1));
  RegCloseKey(handle);
  return status == ERROR_SUCCESS;
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) gModule = instance;
  return TRUE;
}

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid != kClsid) return CLASS_E_CLASSNOTAVAILABLE;
  return gFactory.QueryInterface(iid, out);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() { return gObjects == 0 ? S_OK : S_FALSE; }

HRESULT STDAPICALLTYPE DllRegisterServer() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(gModule, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return SELFREG_E_CLASS;
  const std::string clsidKey = std::string("CLSID\\") + kClsidText;
  const bool ok = setValue(clsidKey, nullptr, kProgId) && setValue(clsidKey + "\\InprocServer32", nullptr, path) &&
                  setValue(clsidKey + "\\InprocServer32", "ThreadingModel", "Apartment") &&
                  setValue(clsidKey + "\\ProgID", nullptr, kProgId) &&
                  setValue(std::string(kProgId) + "\\CLSID", nullptr, kClsidText);
  return ok ? S_OK : SELFREG_E_CLASS;
}

HRESULT STDAPICALLTYPE DllUnregisterServer() {
  RegDeleteTreeA(HKEY_CLASSES_ROOT, (std::string("CLSID\\") + kClsidText).c_str());
  RegDeleteTreeA(HKEY_CLASSES_ROOT, kProgId);
  return S_OK;
}

}  // extern "C"
