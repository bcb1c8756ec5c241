// PNG pictures on Windows: decoded by the Windows Imaging Component (the
// platform's PNG codec, as cairo is on Linux), converted to 32-bit BGRA with
// straight alpha. The sizes are checked against the picture limits before any
// pixel is copied; every failure is 481.
#include <windows.h>
#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <memory>

#include "branding/image_decode.h"

namespace zs::branding {
namespace {

struct Releaser {
  void operator()(IUnknown* p) const { p->Release(); }
};
template <class T>
using Com = std::unique_ptr<T, Releaser>;

// Calls `make` with an out-slot and owns what it stores; null on failure.
template <class T, class Make>
Com<T> created(Make make) {
  T* raw = nullptr;
  if (FAILED(make(&raw))) {
    if (raw) raw->Release();
    return nullptr;
  }
  return Com<T>(raw);
}

// COM for the calling thread while a decode runs, when the caller has none.
class ComScope {
 public:
  ComScope() : owned_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {}
  ~ComScope() {
    if (owned_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool owned_;
};

// Whether the file reaches its end chunk (type and its fixed CRC): WIC decodes
// a file cut after its pixel data, which the cairo side refuses.
bool hasEnd(std::span<const std::uint8_t> data) {
  static constexpr std::uint8_t kEnd[] = {'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
  return std::search(data.begin(), data.end(), std::begin(kEnd), std::end(kEnd)) != data.end();
}

}  // namespace

Image decodePng(std::span<const std::uint8_t> data) {
  if (data.size() > kMaxPictureFile) invalidPicture("the file is too large");
  if (!hasEnd(data)) invalidPicture("the file is cut short");
  ComScope com;
  auto factory = created<IWICImagingFactory>([](IWICImagingFactory** out) {
    return CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                            reinterpret_cast<void**>(out));
  });
  if (!factory) invalidPicture("PNG files cannot be decoded on this system");
  auto stream = created<IWICStream>([&](IWICStream** out) { return factory->CreateStream(out); });
  if (!stream ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data.data()), static_cast<DWORD>(data.size()))))
    invalidPicture("not a well-formed PNG file");
  auto decoder = created<IWICBitmapDecoder>([&](IWICBitmapDecoder** out) {
    return factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, out);
  });
  auto frame = decoder ? created<IWICBitmapFrameDecode>(
                             [&](IWICBitmapFrameDecode** out) { return decoder->GetFrame(0, out); })
                       : nullptr;
  if (!frame) invalidPicture("not a well-formed PNG file");
  UINT width = 0, height = 0;
  if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0 ||
      width > static_cast<UINT>(kMaxPictureSide) || height > static_cast<UINT>(kMaxPictureSide))
    invalidPicture("bad size");
  auto pixels = created<IWICBitmapSource>([&](IWICBitmapSource** out) {
    return WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.get(), out);
  });
  if (!pixels) invalidPicture("the PNG pixels cannot be converted");
  Image image{static_cast<int>(width), static_cast<int>(height),
              std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
  // 32-bit BGRA in memory is 0xAARRGGBB in a little-endian word.
  if (FAILED(pixels->CopyPixels(nullptr, width * 4, width * height * 4,
                                reinterpret_cast<BYTE*>(image.pixels.data()))))
    invalidPicture("the PNG pixels are cut short");
  return image;
}

}  // namespace zs::branding
