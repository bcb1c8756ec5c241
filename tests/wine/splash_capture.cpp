// Shows a ZSSplashScreen window through automation (IDispatch, as a script
// does), captures its client area in-process (WM_PRINTCLIENT into a bitmap)
// and writes it as a 32-bit BMP, for comparison with the Linux rendering of
// the same layout (tests/wine/splash_capture.sh).
// With LOGO.bmp it first writes a one-colour bitmap there, loads it as a
// host's picture (OleLoadPicture, what LoadPicture calls), sets it as the
// ProductLogo, checks that reading the property gives the same object back,
// and after the show checks that the capture holds the logo's pixels.
// usage: splash_capture STYLE OUT.bmp [LOGO.bmp]
#include <windows.h>
#include <oleauto.h>
#include <olectl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tests/wine/window_capture.h"

namespace {

using zs::wine::call;
using zs::wine::writeBmp;

constexpr int kLogoWidth = 40, kLogoHeight = 30;
constexpr unsigned kLogoColour = 0xFFB010C0u;

// The host's picture: the fixture written to `path` and loaded by OLE.
IPictureDisp* loadLogo(const char* path) {
  if (!writeBmp(path, kLogoWidth, kLogoHeight, std::vector<unsigned>(kLogoWidth * kLogoHeight, kLogoColour)))
    return nullptr;
  FILE* f = std::fopen(path, "rb");
  if (!f) return nullptr;
  std::vector<char> bytes(1 << 16);
  const size_t size = std::fread(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) return nullptr;
  std::copy(bytes.data(), bytes.data() + size, static_cast<char*>(GlobalLock(memory)));
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  IPictureDisp* picture = nullptr;
  if (SUCCEEDED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
    OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPictureDisp, reinterpret_cast<void**>(&picture));
    stream->Release();
  } else {
    GlobalFree(memory);
  }
  return picture;
}

bool sameObject(IUnknown* a, IUnknown* b) {
  IUnknown *ia = nullptr, *ib = nullptr;
  a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&ia));
  b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&ib));
  const bool same = ia && ia == ib;
  if (ia) ia->Release();
  if (ib) ib->Release();
  return same;
}

// Sets the logo and reads it back: the same object must come back.
bool setLogo(IDispatch* splash, IPictureDisp* logo) {
  VARIANT arg;
  VariantInit(&arg);
  arg.vt = VT_DISPATCH;
  arg.pdispVal = logo;
  if (FAILED(call(splash, L"ProductLogo", DISPATCH_PROPERTYPUTREF, &arg, nullptr))) {
    std::printf("FAIL setting ProductLogo\n");
    return false;
  }
  VARIANT back;
  VariantInit(&back);
  if (FAILED(call(splash, L"ProductLogo", DISPATCH_PROPERTYGET, nullptr, &back)) || back.vt != VT_DISPATCH ||
      !back.pdispVal || !sameObject(back.pdispVal, logo)) {
    std::printf("FAIL ProductLogo does not give the host's picture back\n");
    VariantClear(&back);
    return false;
  }
  VariantClear(&back);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::printf("usage: splash_capture STYLE OUT.bmp [LOGO.bmp]\n");
    return 2;
  }
  CoInitialize(nullptr);
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(L"VQZavrinStudio.ZSSplashScreen", &clsid))) {
    std::printf("FAIL the class is not registered\n");
    return 1;
  }
  IDispatch* splash = nullptr;
  if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                              reinterpret_cast<void**>(&splash)))) {
    std::printf("FAIL CoCreateInstance\n");
    return 1;
  }
  VARIANT style;
  VariantInit(&style);
  style.vt = VT_I4;
  style.lVal = std::atoi(argv[1]);
  VARIANT result;
  VariantInit(&result);
  IPictureDisp* logo = nullptr;
  if (argc == 4) {
    logo = loadLogo(argv[3]);
    if (!logo) {
      std::printf("FAIL the logo fixture cannot be written or loaded\n");
      return 1;
    }
    if (!setLogo(splash, logo)) return 1;
  }
  if (FAILED(call(splash, L"SplashStyle", DISPATCH_PROPERTYPUT, &style, nullptr)) ||
      FAILED(call(splash, L"ShowSplash", DISPATCH_METHOD, nullptr, &result))) {
    std::printf("FAIL ShowSplash\n");
    return 1;
  }
  HWND hwnd = FindWindowA("ZavrinBrandingSplash", nullptr);
  if (!hwnd || !IsWindowVisible(hwnd)) {
    std::printf("FAIL no visible splash window\n");
    return 1;
  }
  const zs::wine::Capture shot = zs::wine::capture(hwnd);
  const int w = shot.width, h = shot.height;
  const std::vector<unsigned>& pixels = shot.pixels;
  call(splash, L"HideSplash", DISPATCH_METHOD, nullptr, &result);
  const bool withLogo = logo != nullptr;
  if (logo) logo->Release();
  splash->Release();
  CoUninitialize();
  if (!writeBmp(argv[2], w, h, pixels)) {
    std::printf("FAIL cannot write %s\n", argv[2]);
    return 1;
  }
  std::printf("captured %dx%d\n", w, h);
  if (withLogo) {
    const long found = std::count(pixels.begin(), pixels.end(), kLogoColour);
    std::printf("logo pixels: %ld of %d\n", found, kLogoWidth * kLogoHeight);
    if (found < kLogoWidth * kLogoHeight) {
      std::printf("FAIL the capture does not show the whole logo\n");
      return 1;
    }
  }
  return 0;
}
