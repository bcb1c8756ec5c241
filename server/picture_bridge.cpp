#include "server/picture_bridge.h"

#include <map>
#include <mutex>
#include <vector>

#include "branding/image_decode.h"
#include "core/error.h"
#include "server/com_ptr.h"
#include "server/picture_pixels.h"

namespace zs::server {
namespace {

using branding::Image;
using branding::Picture;
using branding::PicturePtr;

// The pairs of pictures and OLE pictures. An entry holds its OLE picture
// until the `Picture` is gone; expired entries are dropped on the next use.
struct Pairs {
  struct Entry {
    std::weak_ptr<Picture> picture;
    ComPtr<IPicture> ole;
    IUnknown* identity;  // the OLE picture's IUnknown (kept alive by `ole`)
  };
  std::mutex lock;
  std::map<const Picture*, Entry> byPicture;
  std::map<IUnknown*, const Picture*> byIdentity;

  void sweep() {
    for (auto it = byPicture.begin(); it != byPicture.end();) {
      if (it->second.picture.expired()) {
        byIdentity.erase(it->second.identity);
        it = byPicture.erase(it);
      } else {
        ++it;
      }
    }
  }

  void add(const PicturePtr& picture, ComPtr<IPicture> ole, IUnknown* identity) {
    byIdentity[identity] = picture.get();
    byPicture[picture.get()] = Entry{picture, std::move(ole), identity};
  }
};

Pairs& pairs() {
  static Pairs p;
  return p;
}

IUnknown* identityOf(IUnknown* p) {
  IUnknown* unknown = nullptr;
  if (FAILED(p->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown))) || !unknown) return p;
  unknown->Release();  // only the address is kept
  return unknown;
}

struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

struct GdiDeleter {
  void operator()(HGDIOBJ o) const { DeleteObject(o); }
};
using GdiObject = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, GdiDeleter>;

BITMAPINFO topDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A 32-bit DIB section of the given size and its pixels.
GdiObject dibSection(int width, int height, std::uint32_t** bits) {
  BITMAPINFO info = topDown32(width, height);
  void* raw = nullptr;
  GdiObject bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &raw, nullptr, 0));
  if (!bitmap || !raw) raise(err::kOutOfMemory);
  *bits = static_cast<std::uint32_t*>(raw);
  return bitmap;
}

BITMAP bitmapInfo(HBITMAP bitmap) {
  BITMAP b{};
  if (!bitmap || GetObjectW(bitmap, sizeof b, &b) != sizeof b) branding::invalidPicture("the bitmap cannot be read");
  if (b.bmWidth <= 0 || b.bmHeight <= 0 || b.bmWidth > branding::kMaxPictureSide ||
      b.bmHeight > 2 * branding::kMaxPictureSide)
    branding::invalidPicture("the picture's size is out of range");
  return b;
}

// The rows of a bitmap as 32-bit pixels, top to bottom.
std::vector<std::uint32_t> rowsOf(HBITMAP bitmap, int width, int height) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  BITMAPINFO info = topDown32(width, height);
  MemoryDc dc(CreateCompatibleDC(nullptr));
  if (!dc || GetDIBits(dc.get(), bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS) !=
                 height)
    branding::invalidPicture("the bitmap cannot be read");
  return pixels;
}

Image bitmapImage(HBITMAP bitmap) {
  const BITMAP b = bitmapInfo(bitmap);
  return imageFromDib(rowsOf(bitmap, b.bmWidth, b.bmHeight), {}, b.bmWidth, b.bmHeight, false);
}

Image iconImage(HICON icon) {
  ICONINFO parts{};
  if (!GetIconInfo(icon, &parts)) branding::invalidPicture("the icon cannot be read");
  GdiObject colour(parts.hbmColor), mask(parts.hbmMask);
  const BITMAP m = bitmapInfo(parts.hbmMask);
  if (colour) {
    const BITMAP c = bitmapInfo(parts.hbmColor);
    auto maskRows = rowsOf(parts.hbmMask, c.bmWidth, std::min(c.bmHeight, m.bmHeight));
    maskRows.resize(static_cast<std::size_t>(c.bmWidth) * c.bmHeight, 0);
    return imageFromDib(rowsOf(parts.hbmColor, c.bmWidth, c.bmHeight), maskRows, c.bmWidth, c.bmHeight, true);
  }
  // A monochrome icon: the AND mask above the XOR (colour) mask.
  const int height = m.bmHeight / 2;
  auto rows = rowsOf(parts.hbmMask, m.bmWidth, 2 * height);
  const auto half = rows.begin() + static_cast<std::ptrdiff_t>(rows.size() / 2);
  std::vector<std::uint32_t> andMask(rows.begin(), half), xorMask(half, rows.end());
  return imageFromDib(xorMask, andMask, m.bmWidth, height, true);
}

// Metafiles and anything else: drawn by the picture itself on white.
Image renderedImage(IPicture* picture) {
  OLE_XSIZE_HIMETRIC w = 0;
  OLE_YSIZE_HIMETRIC h = 0;
  picture->get_Width(&w);
  picture->get_Height(&h);
  const int width = pixelsOfHimetric(w), height = pixelsOfHimetric(h);
  if (width <= 0 || height <= 0 || width > branding::kMaxPictureSide || height > branding::kMaxPictureSide)
    branding::invalidPicture("the picture's size is out of range");
  std::uint32_t* bits = nullptr;
  GdiObject bitmap = dibSection(width, height, &bits);
  std::fill(bits, bits + static_cast<std::size_t>(width) * height, 0xFFFFFFFFu);
  MemoryDc dc(CreateCompatibleDC(nullptr));
  if (!dc) raise(err::kOutOfMemory);
  HGDIOBJ old = SelectObject(dc.get(), bitmap.get());
  const HRESULT hr = picture->Render(dc.get(), 0, 0, width, height, 0, h, w, -h, nullptr);
  GdiFlush();
  SelectObject(dc.get(), old);
  if (FAILED(hr)) branding::invalidPicture("the picture cannot be drawn");
  return imageFromDib({bits, static_cast<std::size_t>(width) * height}, {}, width, height, false);
}

}  // namespace

PicturePtr readOlePicture(IPicture* ole) {
  SHORT type = PICTYPE_UNINITIALIZED;
  OLE_HANDLE handle = 0;
  if (FAILED(ole->get_Type(&type)) || FAILED(ole->get_Handle(&handle)))
    branding::invalidPicture("the picture cannot be read");
  if (type == PICTYPE_NONE || type == PICTYPE_UNINITIALIZED || !handle) return std::make_shared<Picture>();
  const auto h = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(handle));
  switch (type) {
    case PICTYPE_BITMAP: return std::make_shared<Picture>(bitmapImage(static_cast<HBITMAP>(h)));
    case PICTYPE_ICON: return std::make_shared<Picture>(iconImage(static_cast<HICON>(h)));
    default: return std::make_shared<Picture>(renderedImage(ole));
  }
}

namespace {

// A new OLE picture that owns a copy of the image.
ComPtr<IPicture> newOlePicture(const Picture& picture) {
  PICTDESC desc{};
  desc.cbSizeofstruct = sizeof desc;
  desc.picType = PICTYPE_NONE;
  GdiObject colour, mask;
  HICON icon = nullptr;
  if (const Image* image = picture.image()) {
    std::uint32_t* bits = nullptr;
    colour = dibSection(image->width, image->height, &bits);
    std::copy(image->pixels.begin(), image->pixels.end(), bits);
    if (isOpaque(*image)) {
      desc.picType = PICTYPE_BITMAP;
      desc.bmp.hbitmap = static_cast<HBITMAP>(colour.get());
    } else {
      const auto maskBits = transparencyMask(*image);
      mask.reset(CreateBitmap(image->width, image->height, 1, 1, maskBits.data()));
      ICONINFO parts{TRUE, 0, 0, static_cast<HBITMAP>(mask.get()), static_cast<HBITMAP>(colour.get())};
      if (!mask || !(icon = CreateIconIndirect(&parts))) raise(err::kOutOfMemory);
      desc.picType = PICTYPE_ICON;
      desc.icon.hicon = icon;
    }
  }
  ComPtr<IPicture> ole;
  if (FAILED(OleCreatePictureIndirect(&desc, IID_IPicture, TRUE, reinterpret_cast<void**>(ole.put())))) {
    if (icon) DestroyIcon(icon);
    raise(err::kOutOfMemory);
  }
  // The picture owns the bitmap (or the icon, which holds copies of its parts).
  if (desc.picType == PICTYPE_BITMAP) (void)colour.release();
  return ole;
}

}  // namespace

IDispatch* olePictureFor(const PicturePtr& picture) {
  auto& p = pairs();
  std::lock_guard guard(p.lock);
  p.sweep();
  ComPtr<IPicture> ole;
  if (auto it = p.byPicture.find(picture.get()); it != p.byPicture.end()) {
    ole = it->second.ole;
  } else {
    ole = newOlePicture(*picture);
    p.add(picture, ole, identityOf(ole.get()));
  }
  IDispatch* d = nullptr;
  if (FAILED(ole->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d))) || !d) raise(err::kTypeMismatch);
  return d;
}

PicturePtr pictureFromOle(IUnknown* object) {
  auto ole = ComPtr<IUnknown>::share(object).as<IPicture>(IID_IPicture);
  if (!ole) return nullptr;
  IUnknown* identity = identityOf(ole.get());
  auto& p = pairs();
  std::lock_guard guard(p.lock);
  p.sweep();
  if (auto it = p.byIdentity.find(identity); it != p.byIdentity.end())
    if (auto alive = p.byPicture.at(it->second).picture.lock()) return alive;
  PicturePtr picture = readOlePicture(ole.get());
  p.add(picture, std::move(ole), identity);
  return picture;
}

}  // namespace zs::server
