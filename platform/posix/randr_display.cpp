#include "platform/posix/randr_display.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>
#include <vector>

namespace zs::platform::posix {
namespace {

struct CloseDisplay {
  void operator()(Display* d) const { XCloseDisplay(d); }
};
struct FreeResources {
  void operator()(XRRScreenResources* r) const { XRRFreeScreenResources(r); }
};
struct FreeOutput {
  void operator()(XRROutputInfo* o) const { XRRFreeOutputInfo(o); }
};
struct FreeCrtc {
  void operator()(XRRCrtcInfo* c) const { XRRFreeCrtcInfo(c); }
};
using DisplayPtr = std::unique_ptr<Display, CloseDisplay>;
using ResourcesPtr = std::unique_ptr<XRRScreenResources, FreeResources>;
using OutputPtr = std::unique_ptr<XRROutputInfo, FreeOutput>;
using CrtcPtr = std::unique_ptr<XRRCrtcInfo, FreeCrtc>;

// Xlib reports a protocol error to one process-wide handler, whose default
// ends the process. While a call talks to its server, errors on its own
// connection are counted instead; errors on any other connection go on to
// the handler that was installed before.
class ErrorTrap {
 public:
  explicit ErrorTrap(Display* display) : lock_(mutex()) {
    trapped() = display;
    errors() = 0;
    previous() = XSetErrorHandler(&handle);
  }
  ~ErrorTrap() {
    XSync(trapped(), False);
    XSetErrorHandler(previous());
    trapped() = nullptr;
  }
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;

  // Whether the server has refused a request so far (waits for its answers).
  bool failed() const {
    XSync(trapped(), False);
    return errors() != 0;
  }

 private:
  static std::mutex& mutex() {
    static std::mutex m;
    return m;
  }
  static Display*& trapped() {
    static Display* d = nullptr;
    return d;
  }
  static int& errors() {
    static int n = 0;
    return n;
  }
  using Handler = int (*)(Display*, XErrorEvent*);
  static Handler& previous() {
    static Handler h = nullptr;
    return h;
  }
  static int handle(Display* display, XErrorEvent* event) {
    if (display == trapped()) {
      ++errors();
      return 0;
    }
    return previous() ? previous()(display, event) : 0;
  }

  std::lock_guard<std::mutex> lock_;
};

DWORD bitsPerPixel(Display* d) {
  const int depth = DefaultDepth(d, DefaultScreen(d));
  int count = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(d, &count);
  DWORD bits = static_cast<DWORD>(depth);
  for (int i = 0; i < count; ++i) {
    if (formats[i].depth == depth) bits = static_cast<DWORD>(formats[i].bits_per_pixel);
  }
  if (formats) XFree(formats);
  return bits;
}

bool sideways(Rotation rotation) { return (rotation & (RR_Rotate_90 | RR_Rotate_270)) != 0; }

DWORD refresh(const XRRModeInfo& m) {
  if (!m.hTotal || !m.vTotal) return 0;
  double total = static_cast<double>(m.hTotal) * m.vTotal;
  if (m.modeFlags & RR_DoubleScan) total *= 2;
  if (m.modeFlags & RR_Interlace) total /= 2;
  return static_cast<DWORD>(std::lround(static_cast<double>(m.dotClock) / total));
}

const XRRModeInfo* findMode(const XRRScreenResources& res, RRMode id) {
  for (int i = 0; i < res.nmode; ++i) {
    if (res.modes[i].id == id) return &res.modes[i];
  }
  return nullptr;
}

ScreenMode shown(const XRRModeInfo& m, Rotation rotation, DWORD bits) {
  ScreenMode mode{m.width, m.height, bits, refresh(m)};
  if (sideways(rotation)) std::swap(mode.width, mode.height);
  return mode;
}

// One conversation with the server about its primary output.
// Members end in reverse order: the trap before the connection it watches.
struct Session {
  DisplayPtr display;
  std::unique_ptr<ErrorTrap> trap;
  Window root = 0;
  ResourcesPtr resources;
  RROutput output = 0;
  OutputPtr outputInfo;
  CrtcPtr crtc;  // the output's CRTC, absent when the output is off

  bool open(const std::string& name) {
    display.reset(XOpenDisplay(name.empty() ? nullptr : name.c_str()));
    if (!display) return false;
    Display* d = display.get();
    trap = std::make_unique<ErrorTrap>(d);
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(d, &event, &error) || !XRRQueryVersion(d, &major, &minor) ||
        major * 100 + minor < 102) {
      return true;  // a server without RandR 1.2: only the screen itself is known
    }
    root = DefaultRootWindow(d);
    resources.reset(XRRGetScreenResourcesCurrent(d, root));
    if (!resources) return true;
    // The primary output; without one, the first output that shows something.
    std::vector<RROutput> candidates;
    if (RROutput primary = XRRGetOutputPrimary(d, root)) candidates.push_back(primary);
    candidates.insert(candidates.end(), resources->outputs,
                      resources->outputs + resources->noutput);
    for (RROutput o : candidates) {
      OutputPtr info(XRRGetOutputInfo(d, resources.get(), o));
      if (!info || !info->crtc || info->connection == RR_Disconnected) continue;
      CrtcPtr c(XRRGetCrtcInfo(d, resources.get(), info->crtc));
      if (!c || !c->mode) continue;
      output = o;
      outputInfo = std::move(info);
      crtc = std::move(c);
      break;
    }
    return true;
  }

  bool randr() const { return crtc != nullptr; }
};

int screenWidth(Display* d) { return DisplayWidth(d, DefaultScreen(d)); }
int screenHeight(Display* d) { return DisplayHeight(d, DefaultScreen(d)); }

// The one mode a server without RandR 1.2 has: its screen.
ScreenMode wholeScreen(Display* d, DWORD bits) {
  return ScreenMode{static_cast<DWORD>(screenWidth(d)), static_cast<DWORD>(screenHeight(d)), bits,
                    0};
}

}  // namespace

std::optional<ScreenMode> RandrDisplay::current() const {
  Session s;
  if (!s.open(name_)) return std::nullopt;
  Display* d = s.display.get();
  const DWORD bits = bitsPerPixel(d);
  if (!s.randr()) {
    return wholeScreen(d, bits);
  }
  ScreenMode mode{s.crtc->width, s.crtc->height, bits, 0};
  if (const XRRModeInfo* m = findMode(*s.resources, s.crtc->mode)) mode.frequency = refresh(*m);
  return mode;
}

std::optional<ScreenMode> RandrDisplay::mode(DWORD index) const {
  Session s;
  if (!s.open(name_)) return std::nullopt;
  Display* d = s.display.get();
  const DWORD bits = bitsPerPixel(d);
  if (!s.randr()) {
    if (index != 0) return std::nullopt;
    return wholeScreen(d, bits);
  }
  if (index >= static_cast<DWORD>(s.outputInfo->nmode)) return std::nullopt;
  const XRRModeInfo* m = findMode(*s.resources, s.outputInfo->modes[index]);
  if (!m) return std::nullopt;
  return shown(*m, s.crtc->rotation, bits);
}

RandrDisplay::Outcome RandrDisplay::apply(const ScreenMode& wanted, bool testOnly) const {
  Session s;
  if (!s.open(name_)) return Outcome::Failed;
  Display* d = s.display.get();
  if (wanted.bitsPerPixel && wanted.bitsPerPixel != bitsPerPixel(d)) return Outcome::BadMode;
  if (!s.randr()) {
    // Without RandR the screen keeps its size: only the current one "switches".
    const bool same = (!wanted.width || wanted.width == static_cast<DWORD>(screenWidth(d))) &&
                      (!wanted.height || wanted.height == static_cast<DWORD>(screenHeight(d)));
    return same ? Outcome::Done : Outcome::BadMode;
  }
  const XRRCrtcInfo& crtc = *s.crtc;
  const DWORD width = wanted.width ? wanted.width : crtc.width;
  const DWORD height = wanted.height ? wanted.height : crtc.height;
  const XRRModeInfo* chosen = nullptr;
  for (int i = 0; i < s.outputInfo->nmode && !chosen; ++i) {
    const XRRModeInfo* m = findMode(*s.resources, s.outputInfo->modes[i]);
    if (!m) continue;
    const ScreenMode candidate = shown(*m, crtc.rotation, 0);
    const bool rateFits = !wanted.frequency || (candidate.frequency + 1 >= wanted.frequency &&
                                                candidate.frequency <= wanted.frequency + 1);
    if (candidate.width == width && candidate.height == height && rateFits) chosen = m;
  }
  if (!chosen) return Outcome::BadMode;

  // The screen must hold every output: the others where they are, this one
  // at its place with its new size.
  int needWidth = crtc.x + static_cast<int>(width);
  int needHeight = crtc.y + static_cast<int>(height);
  for (int i = 0; i < s.resources->ncrtc; ++i) {
    if (s.resources->crtcs[i] == s.outputInfo->crtc) continue;
    CrtcPtr other(XRRGetCrtcInfo(d, s.resources.get(), s.resources->crtcs[i]));
    if (!other || !other->mode) continue;
    needWidth = std::max(needWidth, other->x + static_cast<int>(other->width));
    needHeight = std::max(needHeight, other->y + static_cast<int>(other->height));
  }
  int minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0;
  if (!XRRGetScreenSizeRange(d, s.root, &minWidth, &minHeight, &maxWidth, &maxHeight)) {
    return Outcome::Failed;
  }
  if (needWidth > maxWidth || needHeight > maxHeight) return Outcome::BadMode;
  needWidth = std::max(needWidth, minWidth);
  needHeight = std::max(needHeight, minHeight);
  if (testOnly || chosen->id == crtc.mode) return Outcome::Done;

  const int oldWidth = screenWidth(d), oldHeight = screenHeight(d);
  const int screen = DefaultScreen(d);
  // The physical size follows the pixel size, keeping the dots per inch.
  auto resize = [&](int w, int h) {
    const int mmW = oldWidth ? DisplayWidthMM(d, screen) * w / oldWidth : 0;
    const int mmH = oldHeight ? DisplayHeightMM(d, screen) * h / oldHeight : 0;
    XRRSetScreenSize(d, s.root, w, h, std::max(mmW, 1), std::max(mmH, 1));
  };
  XGrabServer(d);
  const int grownWidth = std::max(oldWidth, needWidth),
            grownHeight = std::max(oldHeight, needHeight);
  if (grownWidth != oldWidth || grownHeight != oldHeight) resize(grownWidth, grownHeight);
  const Status status =
      XRRSetCrtcConfig(d, s.resources.get(), s.outputInfo->crtc, CurrentTime, crtc.x, crtc.y,
                       chosen->id, crtc.rotation, crtc.outputs, crtc.noutput);
  const bool switched = status == RRSetConfigSuccess && !s.trap->failed();
  if (switched && (needWidth != grownWidth || needHeight != grownHeight)) {
    resize(needWidth, needHeight);
  }
  XUngrabServer(d);
  return switched && !s.trap->failed() ? Outcome::Done : Outcome::Failed;
}

}  // namespace zs::platform::posix
