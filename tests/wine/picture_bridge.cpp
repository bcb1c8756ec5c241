// The server's picture bridge on the platform's OLE pictures: the library's
// pictures go out as the OLE picture kind their pixels need and read back to
// the same pixels, and each picture and its OLE picture stay one pair in both
// directions while the picture lives. Prints "N passed, N failed". With
// --gdi-optional, where no device context can be made (Wine's WoW64 mode has
// no display driver for 32-bit programs) only the empty picture is checked and
// the rest is reported as "SKIPPED: ...".
#include "server/picture_bridge.h"

#include <cstdio>
#include <string>

#include "core/error.h"

namespace {

using zs::branding::Image;
using zs::branding::Picture;

int gPassed = 0, gFailed = 0;

void check(const std::string& name, bool ok, long detail = 0) {
  if (ok) {
    ++gPassed;
  } else {
    ++gFailed;
    std::printf("FAIL %s (%ld)\n", name.c_str(), detail);
  }
}

IPicture* asPicture(IDispatch* d) {
  IPicture* p = nullptr;
  if (d) d->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&p));
  return p;
}

void roundTrips(bool drawing) {
  const struct {
    const char* name;
    std::shared_ptr<Picture> picture;
    SHORT type;
  } cases[] = {
      {"the empty picture", std::make_shared<Picture>(), PICTYPE_NONE},
      {"an opaque image", std::make_shared<Picture>(Image{3, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF102030,
                                                                  0xFF000000, 0xFFFFFFFF}}),
       PICTYPE_BITMAP},
      {"an image with transparent pixels",
       std::make_shared<Picture>(Image{3, 2, {0xFFFF0000, 0x00000000, 0xFF0000FF, 0x00000000, 0xFF000000,
                                              0xFFFFFFFF}}),
       PICTYPE_ICON},
      {"an image with partial alpha",
       std::make_shared<Picture>(Image{2, 1, {0x80402010, 0xFF0000FF}}), PICTYPE_ICON},
  };
  for (const auto& c : cases) {
    const std::string name = c.name;
    if (!drawing && c.picture->image()) continue;
    try {
      IDispatch* out = zs::server::olePictureFor(c.picture);
      IDispatch* again = zs::server::olePictureFor(c.picture);
      check(name + ": one OLE picture per picture", out && out == again);
      IPicture* ole = asPicture(out);
      SHORT type = -1;
      check(name + ": kind", ole && SUCCEEDED(ole->get_Type(&type)) && type == c.type, type);
      check(name + ": comes back as the same picture", zs::server::pictureFromOle(out) == c.picture);
      if (ole) {
        const auto read = zs::server::readOlePicture(ole);
        const Image* want = c.picture->image();
        const Image* got = read->image();
        check(name + ": the pixels read back",
              want ? got && got->width == want->width && got->height == want->height && got->pixels == want->pixels
                   : !got);
        ole->Release();
      }
      if (again) again->Release();
      if (out) out->Release();
    } catch (const zs::Error& e) {
      check(name + ": no error", false, e.number());
    }
  }
}

// A host's picture read once: the same picture while it lives, a new one
// (from the same OLE object) after it is gone.
void hostPicture(IPictureDisp* host) {
  auto first = zs::server::pictureFromOle(host);
  check("a host bitmap is read", first && first->image() && first->image()->pixels ==
                                                                std::vector<std::uint32_t>{0xFFC01020, 0xFF203040});
  check("read twice, one picture", zs::server::pictureFromOle(host) == first);
  IDispatch* back = zs::server::olePictureFor(first);
  check("it goes out as the host's own object", back == host);
  if (back) back->Release();
  first.reset();
  auto second = zs::server::pictureFromOle(host);
  check("after the picture is gone, read again", second && second->image() && second->image()->width == 2);
}

// A host's bitmap picture as a fixture for hostPicture.
void hostPictures() {
  const DWORD pixels[2] = {0x00C01020, 0x00203040};
  PICTDESC desc{};
  desc.cbSizeofstruct = sizeof desc;
  desc.picType = PICTYPE_BITMAP;
  desc.bmp.hbitmap = CreateBitmap(2, 1, 1, 32, pixels);
  IPictureDisp* host = nullptr;
  if (FAILED(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(&host)))) {
    check("host picture fixture", false);
    return;
  }
  try {
    hostPicture(host);
  } catch (const zs::Error& e) {
    check("host picture: no error", false, e.number());
  }
  host->Release();
}

void otherObjects() {
  IStream* stream = nullptr;
  CreateStreamOnHGlobal(nullptr, TRUE, &stream);
  check("an object that is no picture is left to the caller", stream && !zs::server::pictureFromOle(stream));
  if (stream) stream->Release();
}

}  // namespace

int main(int argc, char** argv) {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
  const bool gdiOptional = argc > 1 && std::string(argv[1]) == "--gdi-optional";
  HDC probe = CreateCompatibleDC(nullptr);
  const bool drawing = probe != nullptr;
  if (probe) DeleteDC(probe);
  if (!drawing && gdiOptional)
    std::printf("SKIPPED: pictures with pixels: no display driver serves this program (no device context can be made)\n");
  else
    check("drawing is possible", drawing);
  roundTrips(drawing);
  if (drawing) hostPictures();
  otherObjects();
  CoUninitialize();
  std::printf("%d passed, %d failed\n", gPassed, gFailed);
  return gFailed ? 1 : 0;
}
