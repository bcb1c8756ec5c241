// The library's PNG decoder on Windows against the platform's PNG encoder:
// pixels written by WIC (straight alpha, a half-transparent one among them)
// come back exactly, and every cut of the file and a damaged body are refused
// with 481. Prints "N passed, N failed" like the suites.
#include <windows.h>
#include <objbase.h>
#include <wincodec.h>

#include <cstdio>
#include <vector>

#include "branding/picture.h"
#include "core/error.h"

namespace {

int gPassed = 0, gFailed = 0;

void check(const char* name, bool ok, unsigned long detail = 0) {
  if (ok) {
    ++gPassed;
  } else {
    ++gFailed;
    std::printf("FAIL %s (%lu)\n", name, detail);
  }
}

template <class T>
void release(T*& p) {
  if (p) p->Release();
  p = nullptr;
}

// The PNG file WIC writes for 32-bit BGRA pixels.
std::vector<std::uint8_t> encodePng(const std::vector<std::uint32_t>& pixels, UINT width, UINT height) {
  std::vector<std::uint8_t> out;
  IWICImagingFactory* factory = nullptr;
  IStream* stream = nullptr;
  IWICBitmapEncoder* encoder = nullptr;
  IWICBitmapFrameEncode* frame = nullptr;
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  bool ok = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
            SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) &&
            SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
            SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
            SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
            SUCCEEDED(frame->SetSize(width, height)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
            format == GUID_WICPixelFormat32bppBGRA &&
            SUCCEEDED(frame->WritePixels(height, width * 4, width * height * 4,
                                         reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(pixels.data())))) &&
            SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
  if (ok) {
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    out.resize(static_cast<std::size_t>(stat.cbSize.QuadPart));
    const LARGE_INTEGER zero{};
    ULONG read = 0;
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    stream->Read(out.data(), static_cast<ULONG>(out.size()), &read);
    out.resize(read);
  }
  release(frame);
  release(encoder);
  release(stream);
  release(factory);
  return out;
}

// The error number decoding `bytes` raises, 0 when it decodes.
int refusal(const std::vector<std::uint8_t>& bytes) {
  try {
    zs::branding::decodePicture(bytes.data(), bytes.size());
  } catch (const zs::Error& e) {
    return e.number();
  }
  return 0;
}

}  // namespace

int main() {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
  const std::vector<std::uint32_t> pixels = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF,
                                             0x80204060, 0x00000000, 0xFFFFFFFF};
  const auto png = encodePng(pixels, 3, 2);
  check("WIC writes the PNG fixture", png.size() > 8, png.size());
  if (!png.empty()) {
    try {
      const auto image = zs::branding::decodePicture(png.data(), png.size());
      check("size", image.width == 3 && image.height == 2);
      check("pixels with straight alpha", image.pixels == pixels);
    } catch (const zs::Error& e) {
      check("the PNG fixture decodes", false, static_cast<unsigned long>(e.number()));
    }
    for (std::size_t cut = 8; cut < png.size(); cut += 7) {
      const std::vector<std::uint8_t> part(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(cut));
      const int number = refusal(part);
      check("a cut PNG is 481", number == 481, cut);
    }
    auto damaged = png;
    for (std::size_t i = 16; i < damaged.size(); ++i) damaged[i] = 0xA5;
    check("a damaged PNG is 481", refusal(damaged) == 481);
  }
  CoUninitialize();
  std::printf("%d passed, %d failed\n", gPassed, gFailed);
  return gFailed ? 1 : 0;
}
