// What the Wine capture clients share: late-bound calls through IDispatch (as
// a script makes them), a window's client area captured in-process
// (WM_PRINTCLIENT into a DIB section) and 32-bit BMP files.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <vector>

namespace zs::wine {

inline HRESULT call(IDispatch* d, const wchar_t* name, WORD flags, VARIANT* arg, VARIANT* result) {
  DISPID id = 0;
  LPOLESTR n = const_cast<LPOLESTR>(name);
  HRESULT hr = d->GetIDsOfNames(IID_NULL, &n, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  DISPID named = DISPID_PROPERTYPUT;
  const bool put = flags == DISPATCH_PROPERTYPUT || flags == DISPATCH_PROPERTYPUTREF;
  DISPPARAMS params{arg, put ? &named : nullptr, arg ? 1u : 0u, put ? 1u : 0u};
  return d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
}

inline bool writeBmp(const char* path, int w, int h, const std::vector<unsigned>& pixels) {
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = w;
  info.biHeight = -h;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size() * 4);
  FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  bool ok = std::fwrite(&file, sizeof file, 1, f) == 1 && std::fwrite(&info, sizeof info, 1, f) == 1 &&
            std::fwrite(pixels.data(), 4, pixels.size(), f) == pixels.size();
  return std::fclose(f) == 0 && ok;
}

// A window's client area as the window paints it: 0xFFRRGGBB, row by row.
struct Capture {
  int width = 0, height = 0;
  std::vector<unsigned> pixels;
  unsigned at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
  // How many pixels of the rectangle have the colour 0xRRGGBB.
  int count(RECT r, unsigned rgb) const {
    int n = 0;
    for (int y = r.top; y < r.bottom && y < height; ++y)
      for (int x = r.left; x < r.right && x < width; ++x) n += at(x, y) == rgb;
    return n;
  }
  bool write(const char* path) const { return writeBmp(path, width, height, pixels); }
};

inline Capture capture(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  Capture c{client.right, client.bottom, {}};
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = c.width;
  info.bmiHeader.biHeight = -c.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits) {
    HGDIOBJ old = SelectObject(mem, bitmap);
    SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
    GdiFlush();
    const auto* p = static_cast<const unsigned*>(bits);
    c.pixels.assign(p, p + static_cast<size_t>(c.width) * c.height);
    for (auto& px : c.pixels) px |= 0xFF000000u;
    SelectObject(mem, old);
  }
  if (bitmap) DeleteObject(bitmap);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return c;
}

}  // namespace zs::wine
