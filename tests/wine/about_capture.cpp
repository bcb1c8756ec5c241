// Shows each ZSAboutBox dialog through automation (IDispatch, as a script
// does) on the program's own message loop and drives it as a user would:
// checks the window (caption, close box only, centred, active, out of the task
// bar), captures its client area at rest and with the pointer on the web link
// (for comparison with the Linux rendering, tests/wine/about_capture.sh),
// checks that leaving resets the hover colour, clicks the web and mail links
// (the prefix's URL handlers record what the shell was given), and closes it
// by Esc (real keyboard input), the close box, Enter and OK, each time showing
// it again as a fresh window. Last, the host releases its object and frees
// unused libraries while a dialog is open, which must go on working.
// usage: about_capture OUT-DIR LINK-RECORD
//   writes OUT-DIR\win32-about-N.bmp and win32-about-N-hover.bmp for N = 0, 1;
//   LINK-RECORD is the file the URL handler appends each target to.
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/wine/window_capture.h"

namespace {

using zs::wine::call;
using zs::wine::Capture;

constexpr const char* kDialogClass = "ZavrinBrandingDialog";
// The links' colours in a capture (0xRRGGBB): dark blue at rest, bright blue
// under the pointer.
constexpr unsigned kRest = 0x0000C0, kHover = 0x0000FF;

int failures = 0, passes = 0;

void check(bool ok, const std::string& what) {
  if (ok) {
    ++passes;
  } else {
    ++failures;
    std::printf("FAIL %s\n", what.c_str());
  }
}

// Runs the message loop, as a host's would, until `done` or about 10 s.
template <class Done>
bool pumpUntil(Done done) {
  for (int i = 0; i < 1000; ++i) {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    if (done()) return true;
    Sleep(10);
  }
  return done();
}

// The links' first text pixels, in client pixels, from the dialogs' layouts:
// their left edge and the middle of their first line.
POINT webLink(int style) { return style == 0 ? POINT{124, 191} : POINT{124, 111}; }
POINT mailLink(int style) { return style == 0 ? POINT{124, 167} : POINT{124, 87}; }
// The middle of the OK button.
POINT okButton(int style) { return style == 0 ? POINT{325, 258} : POINT{330, 258}; }
RECT webLinkBox(int style) { return style == 0 ? RECT{120, 184, 373, 199} : RECT{120, 104, 375, 121}; }

LPARAM at(POINT p) { return MAKELPARAM(p.x, p.y); }

class Dialog {
 public:
  explicit Dialog(IDispatch* about) : about_(about) {}
  // ShowAbout of `style`; the dialog window, or null.
  HWND show(int style) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = style;
    VARIANT result;
    VariantInit(&result);
    if (FAILED(call(about_, L"AboutStyle", DISPATCH_PROPERTYPUT, &v, nullptr)) ||
        FAILED(call(about_, L"ShowAbout", DISPATCH_METHOD, nullptr, &result)))
      return nullptr;
    return FindWindowA(kDialogClass, nullptr);
  }

 private:
  IDispatch* about_;
};

std::string readFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void click(HWND hwnd, POINT p) {
  SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at(p));
  SendMessageA(hwnd, WM_LBUTTONUP, 0, at(p));
}

// The window as the dialog must be: caption and close box only, visible,
// centred on the screen, out of the task bar.
void checkWindow(HWND hwnd, const std::string& name) {
  char title[128] = {};
  GetWindowTextA(hwnd, title, sizeof title);
  check(std::string(title) == "About ZavrinAboutBox", name + ": caption '" + title + "'");
  const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
  check((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU), name + ": title bar with a close box");
  check(!(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)), name + ": no minimise, maximise or sizing");
  check(IsWindowVisible(hwnd), name + ": visible");
  RECT r;
  GetWindowRect(hwnd, &r);
  const int dx = (r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2;
  const int dy = (r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2;
  check(dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1, name + ": centred on the screen");
  HWND owner = GetWindow(hwnd, GW_OWNER);
  check(owner && !IsWindowVisible(owner), name + ": owned by a hidden window (out of the task bar)");
}

void runStyle(IDispatch* about, int style, const std::string& outDir, const std::string& record) {
  Dialog dialog(about);
  const std::string name = "style " + std::to_string(style);
  HWND hwnd = dialog.show(style);
  if (!hwnd) {
    check(false, name + ": ShowAbout opened no dialog window");
    return;
  }
  checkWindow(hwnd, name);
  pumpUntil([] { return true; });  // the first paint
  const Capture rest = zs::wine::capture(hwnd);
  check(rest.write((outDir + "\\win32-about-" + std::to_string(style) + ".bmp").c_str()), name + ": capture written");
  check(rest.count(webLinkBox(style), kRest) > 10 && rest.count(webLinkBox(style), kHover) == 0,
        name + ": the web link is dark blue at rest");

  // The pointer on the web link: bright blue, repainted at once.
  POINT screen = webLink(style);
  ClientToScreen(hwnd, &screen);
  SetCursorPos(screen.x, screen.y);
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, at(webLink(style)));
  const Capture hover = zs::wine::capture(hwnd);
  check(hover.write((outDir + "\\win32-about-" + std::to_string(style) + "-hover.bmp").c_str()),
        name + ": hover capture written");
  check(hover.count(webLinkBox(style), kHover) > 10 && hover.count(webLinkBox(style), kRest) == 0,
        name + ": the web link turns bright blue under the pointer");
  // The pointer leaves the window: the colours of the background.
  SendMessageA(hwnd, WM_MOUSELEAVE, 0, 0);
  check(zs::wine::capture(hwnd).count(webLinkBox(style), kRest) > 10, name + ": leaving resets the hover colour");

  // The links go to the shell, whose handlers (the prefix's http and mailto
  // commands) record their targets.
  const std::size_t before = readFile(record).size();
  click(hwnd, webLink(style));
  check(pumpUntil([&] { return readFile(record).find("velquorsoft.com", before) != std::string::npos; }),
        name + ": a click on the web link opens www.velquorsoft.com");
  const std::size_t afterWeb = readFile(record).size();
  click(hwnd, mailLink(style));
  check(pumpUntil([&] {
          return readFile(record).find("mailto:support@velquorsoft.com", afterWeb) != std::string::npos;
        }),
        name + ": a click on the mail link opens mailto:support@velquorsoft.com");
  check(IsWindow(hwnd), name + ": the links leave the dialog open");

  // Esc as real keyboard input: the new dialog has the focus. The pointer
  // rests on the link first, so the next dialog must start afresh.
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, at(webLink(style)));
  SetForegroundWindow(hwnd);
  check(GetForegroundWindow() == hwnd && GetFocus() == hwnd, name + ": the dialog is active and has the focus");
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
  check(pumpUntil([&] { return !IsWindow(hwnd); }), name + ": Esc closes and destroys the dialog");

  // Shown again: a new window, centred, with the colours of the design.
  HWND again = dialog.show(style);
  check(again && IsWindowVisible(again), name + ": a second ShowAbout shows the dialog again");
  if (!again) return;
  checkWindow(again, name + " again");
  check(zs::wine::capture(again).count(webLinkBox(style), kRest) > 10, name + ": the new dialog starts at rest");

  // The close box (the system menu's Close, as a click on it sends).
  SendMessageA(again, WM_SYSCOMMAND, SC_CLOSE, 0);
  check(pumpUntil([&] { return !IsWindow(again); }), name + ": the close box closes the dialog");
  // Enter, posted through the loop; then the OK button.
  HWND third = dialog.show(style);
  check(third != nullptr, name + ": shown a third time");
  if (!third) return;
  PostMessageA(third, WM_KEYDOWN, VK_RETURN, 0);
  check(pumpUntil([&] { return !IsWindow(third); }), name + ": Enter closes the dialog");
  HWND fourth = dialog.show(style);
  if (!fourth) return check(false, name + ": shown a fourth time");
  click(fourth, okButton(style));
  check(pumpUntil([&] { return !IsWindow(fourth); }), name + ": OK closes the dialog");
  // A host that destroys the window itself gets a new one from the next show.
  if (HWND fifth = dialog.show(style)) DestroyWindow(fifth);
  HWND sixth = dialog.show(style);
  check(sixth && IsWindowVisible(sixth), name + ": shown again after the host destroyed the window");
  if (sixth) SendMessageA(sixth, WM_CLOSE, 0, 0);
  check(!sixth || !IsWindow(sixth), name + ": WM_CLOSE closes the dialog");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::printf("usage: about_capture OUT-DIR LINK-RECORD\n");
    return 2;
  }
  CoInitialize(nullptr);
  CLSID clsid;
  IDispatch* about = nullptr;
  if (FAILED(CLSIDFromProgID(L"VQZavrinStudio.ZSAboutBox", &clsid)) ||
      FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&about)))) {
    std::printf("FAIL the about box cannot be created\n");
    return 1;
  }
  for (int style : {0, 1}) runStyle(about, style, argv[1], argv[2]);

  // The host lets go of its last object while the dialog is open and frees
  // unused libraries: the dialog must go on working. Without a logo the
  // dialog holds no object of the library.
  VARIANT nothing;
  VariantInit(&nothing);
  nothing.vt = VT_DISPATCH;
  nothing.pdispVal = nullptr;
  check(SUCCEEDED(call(about, L"ProductLogo", DISPATCH_PROPERTYPUTREF, &nothing, nullptr)), "ProductLogo = Nothing");
  HWND open = Dialog(about).show(0);
  about->Release();
  CoFreeUnusedLibraries();
  check(GetModuleHandleA("VQZavrinStudio.dll") != nullptr, "the library stays loaded while its dialog is open");
  if (open) {
    PostMessageA(open, WM_MOUSEMOVE, 0, at(webLink(0)));
    PostMessageA(open, WM_KEYDOWN, VK_ESCAPE, 0);
    check(pumpUntil([&] { return !IsWindow(open); }), "the dialog still closes by Esc after the host let go");
  }
  CoUninitialize();
  std::printf("%d passed, %d failed\n", passes, failures);
  return failures ? 1 : 0;
}
