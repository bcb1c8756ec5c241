// `zavrin icon FILE [--index N] [--size PIXELS] -o OUT.png`: draws one icon as
// ZSExtractIcon.Extract does, onto a square of PIXELS (default 32), and writes
// it as a PNG. Nothing is written when the file has no such icon.
#include <cairo.h>

#include <charconv>
#include <ostream>

#include "cli/commands.h"
#include "core/error.h"
#include "platform/ansi.h"
#include "platform/posix/gdi_objects.h"
#include "shell/extract_icon.h"

namespace zs::cli {
namespace {

struct IconRequest {
  std::string file, output;
  Long index = 1;
  int side = 32;
};

Long number(const std::string& text, const char* option) {
  Long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) {
    throw UsageError(std::string(option) + " needs a whole number, not \"" + text + "\"");
  }
  return value;
}

IconRequest parse(std::span<const std::string> args) {
  IconRequest request;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if ((a == "--index" || a == "--size" || a == "-o") && !hasValue) {
      throw UsageError(a + " needs a value");
    }
    if (a == "--index") {
      request.index = number(args[++i], "--index");
    } else if (a == "--size") {
      const Long side = number(args[++i], "--size");
      if (side < 16 || side > 128 || side % 8 != 0) {
        throw UsageError("--size is one of 16, 24, 32, ... 128 (16 + 8 × n)");
      }
      request.side = static_cast<int>(side);
    } else if (a == "-o") {
      request.output = args[++i];
    } else if (!a.empty() && a[0] == '-') {
      throw UsageError("unknown option " + a);
    } else if (request.file.empty()) {
      request.file = a;
    } else {
      throw UsageError("one FILE only");
    }
  }
  if (request.file.empty() || request.output.empty()) throw UsageError("FILE and -o OUT.png are needed");
  return request;
}

}  // namespace

int iconCommand(std::span<const std::string> args, CommandIo& io) {
  const IconRequest request = parse(args);
  const auto& libraries = platform::systemLibraries();
  auto& gdi = *libraries.gdi32;
  const platform::HDC dc = gdi.CreateCompatibleDC(0);
  const platform::HBITMAP bitmap = gdi.CreateCompatibleBitmap(dc, request.side, request.side);
  struct Release {
    platform::Gdi32& gdi;
    platform::HDC dc;
    platform::HBITMAP bitmap;
    ~Release() {
      gdi.DeleteDC(dc);
      gdi.DeleteObject(bitmap);
    }
  } release{gdi, dc, bitmap};
  cairo_surface_t* surface = platform::posix::bitmapSurface(bitmap);
  if (!dc || !surface) {
    io.err << "zavrin: cannot make a drawing surface\n";
    return 1;
  }
  gdi.SelectObject(dc, bitmap);  // answers what was selected before: nothing
  // Transparent to begin with: a drawn icon always covers its corner with
  // the grey square, so an untouched corner means that nothing was drawn.
  cairo_t* cr = cairo_create(surface);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_paint(cr);
  cairo_destroy(cr);

  auto icon = create<ExtractIcon>(libraries);
  icon->FileName(platform::fromAnsi(request.file));
  const Long size = (request.side - 16) / 8;
  icon->Extract(request.index, size, static_cast<Long>(dc), 0, 0);
  cairo_surface_flush(surface);
  const auto corner = *reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface));
  if ((corner >> 24) == 0) {
    io.err << "zavrin: no icon " << request.index << " in \"" << request.file << "\"\n";
    return 1;
  }
  if (!platform::posix::writeBitmapPng(bitmap, request.output)) {
    io.err << "zavrin: cannot write \"" << request.output << "\"\n";
    return 1;
  }
  return 0;
}

}  // namespace zs::cli
