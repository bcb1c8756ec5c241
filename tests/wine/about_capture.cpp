// Shows each ZSAboutBox dialog through automation (IDispatch, as a script
// does) on the program's own message loop and drives it as a user would:
// checks the window (caption, close box only, centred, active, out of the task
// bar), captures its client area at rest and with the pointer on the web link
// (for comparison with the Linux rendering, tests/wine/about_capture.sh),
// checks that leaving resets the hover colour, clicks the web and mail links
// (the prefix's URL handlers record what the shell was given), and closes it
// by Esc (real keyboard input), the close box, Enter and OK, each time showing
// it again as a fresh window. The suite's own about window (ZSVelquorsoft and
// ZSSplashScreen About) goes through the same: one window however often it is
// opened, its links, and every way of closing it. Last, the host releases its
// objects and frees unused libraries while the windows are open, which must
// go on working.
// usage: about_capture OUT-DIR LINK-RECORD
//   writes OUT-DIR\win32-about-N.bmp and win32-about-N-hover.bmp for N = 0, 1
//   and win32-suite-about.bmp; LINK-RECORD is the file the URL handler
//   appends each target to.
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "branding/suite_about.h"
#include "tests/wine/window_capture.h"

namespace {

using zs::wine::call;
using zs::wine::Capture;

constexpr const char* kDialogClass = "ZavrinBrandingDialog";
constexpr const char* kSuiteClass = "ZavrinBrandingAbout";
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

// A new object of the class, through IDispatch; null, reported, when it cannot
// be created.
IDispatch* create(const wchar_t* progId) {
  CLSID clsid;
  IDispatch* object = nullptr;
  if (FAILED(CLSIDFromProgID(progId, &clsid)) ||
      FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object)))) {
    std::wstring id(progId);
    check(false, std::string(id.begin(), id.end()) + " cannot be created");
    return nullptr;
  }
  return object;
}

void click(HWND hwnd, POINT p) {
  SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at(p));
  SendMessageA(hwnd, WM_LBUTTONUP, 0, at(p));
}

// A key pressed and released as real keyboard input, to the active window.
void pressKey(WORD key) {
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = key;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
}

bool centred(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  const int dx = (r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2;
  const int dy = (r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2;
  return dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
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
  check(centred(hwnd), name + ": centred on the screen");
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
  pressKey(VK_ESCAPE);
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

// The suite about window's layout, as the library lays it out, in client
// pixels.
const zs::branding::Window& suiteLayout() {
  static const zs::branding::Window w = zs::branding::suiteAboutWindow();
  return w;
}
RECT suiteBox(const char* element) {
  constexpr int k = zs::branding::kTwipsPerPixel;
  const zs::branding::Box b = suiteLayout().clientBox(suiteLayout().element(element));
  return {b.left / k, b.top / k, b.right() / k, b.bottom() / k};
}
// A link's first letters: a few pixels into its box, the middle of its line.
POINT onLink(const char* element) {
  const RECT r = suiteBox(element);
  return {r.left + 4, r.top + 8};
}
POINT middle(RECT r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
// The links' blue (0xRRGGBB).
constexpr unsigned kSuiteLink = 0x0000FF;

int suiteWindows() {
  int n = 0;
  for (HWND w = FindWindowExA(nullptr, nullptr, kSuiteClass, nullptr); w;
       w = FindWindowExA(nullptr, w, kSuiteClass, nullptr))
    ++n;
  return n;
}

// About of a ZSVelquorsoft or ZSSplashScreen: the suite about window, or null.
HWND suiteAbout(IDispatch* object) {
  VARIANT result;
  VariantInit(&result);
  if (FAILED(call(object, L"About", DISPATCH_METHOD, nullptr, &result))) return nullptr;
  return FindWindowA(kSuiteClass, nullptr);
}

// The window as the presenter makes it: the suite's caption, a title bar with
// a close box only and the fixed dialog frame, visible, centred, the layout's
// client size, active with the keyboard, painted with both links in blue.
void checkSuiteWindow(HWND hwnd, const std::string& name) {
  char title[128] = {};
  GetWindowTextA(hwnd, title, sizeof title);
  check(title == std::string(zs::branding::kSuiteAboutCaption), name + ": caption '" + title + "'");
  const LONG style = GetWindowLongA(hwnd, GWL_STYLE), exStyle = GetWindowLongA(hwnd, GWL_EXSTYLE);
  constexpr LONG kFramed = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  check((style & kFramed) == kFramed && !(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) &&
            (exStyle & WS_EX_DLGMODALFRAME),
        name + ": a popup with a title bar, a close box only and the fixed dialog frame");
  check(IsWindowVisible(hwnd) && centred(hwnd), name + ": visible and centred on the screen");
  RECT client;
  GetClientRect(hwnd, &client);
  const int w = suiteLayout().clientWidth / zs::branding::kTwipsPerPixel;
  const int h = suiteLayout().clientHeight / zs::branding::kTwipsPerPixel;
  check(client.right == w && client.bottom == h,
        name + ": client area " + std::to_string(client.right) + "x" + std::to_string(client.bottom) + ", expected " +
            std::to_string(w) + "x" + std::to_string(h));
  check(GetForegroundWindow() == hwnd && GetFocus() == hwnd, name + ": active, with the keyboard");
  const Capture c = zs::wine::capture(hwnd);
  check(c.count(suiteBox("lblLink"), kSuiteLink) > 10 && c.count(suiteBox("lblMail"), kSuiteLink) > 10,
        name + ": both links painted in blue");
}

// Opens the suite about window through ZSVelquorsoft and ZSSplashScreen and
// drives it; returns it open once more, for the host to let go of.
HWND runSuiteAbout(IDispatch* velquorsoft, IDispatch* splash, const std::string& outDir,
                   const std::string& record) {
  const std::string name = "suite about";
  HWND hwnd = suiteAbout(velquorsoft);
  if (!hwnd) {
    check(false, "ZSVelquorsoft.About opened no suite about window");
    return nullptr;
  }
  checkSuiteWindow(hwnd, name);
  pumpUntil([] { return true; });  // the first paint
  check(zs::wine::capture(hwnd).write((outDir + "\\win32-suite-about.bmp").c_str()), name + ": capture written");

  // ZSSplashScreen.About while it is open behind another window of the
  // program: the same window comes to the front, and no second one.
  HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr, nullptr,
                               nullptr);
  SetForegroundWindow(other);
  check(GetForegroundWindow() == other, name + ": another window is in front");
  check(suiteAbout(splash) == hwnd && suiteWindows() == 1,
        name + ": ZSSplashScreen.About while it is open keeps the one window");
  check(GetForegroundWindow() == hwnd, name + ": ZSSplashScreen.About brings it to the front");
  DestroyWindow(other);

  // The links go to the shell, and the window stays open, as it does after a
  // click on the title.
  const std::string web(zs::branding::kMakerLink), mail = "mailto:" + std::string(zs::branding::kMakerMail);
  click(hwnd, middle(suiteBox("lblTitle")));
  const std::size_t before = readFile(record).size();
  click(hwnd, onLink("lblLink"));
  check(pumpUntil([&] { return readFile(record).find(web, before) != std::string::npos; }),
        name + ": a click on the web link opens " + web);
  const std::size_t afterWeb = readFile(record).size();
  click(hwnd, onLink("lblMail"));
  check(pumpUntil([&] { return readFile(record).find(mail, afterWeb) != std::string::npos; }),
        name + ": a click on the mail link opens " + mail);
  check(IsWindow(hwnd) && IsWindowVisible(hwnd), name + ": the links and a click on the title leave it open");

  // Every way of closing it, each followed by a fresh window from the next
  // About: Esc and Enter as real keyboard input, the OK button, the close box.
  const struct {
    const char* way;
    void (*close)(HWND);
    IDispatch* opener;  // of the window that follows
  } ways[] = {
      {"Esc", [](HWND w) {
         SetForegroundWindow(w);
         pressKey(VK_ESCAPE);
       }, velquorsoft},
      {"Enter", [](HWND) { pressKey(VK_RETURN); }, splash},
      {"the OK button", [](HWND w) { click(w, middle(suiteBox("cmdOK"))); }, velquorsoft},
      {"the close box", [](HWND w) { SendMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0); }, splash},
  };
  for (const auto& w : ways) {
    w.close(hwnd);
    check(pumpUntil([&] { return !IsWindow(hwnd); }) && suiteWindows() == 0, name + ": " + w.way + " closes it");
    hwnd = suiteAbout(w.opener);
    if (!hwnd) {
      check(false, name + ": About after " + w.way + " opened no window");
      return nullptr;
    }
    checkSuiteWindow(hwnd, name + " after " + w.way);
  }
  return hwnd;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::printf("usage: about_capture OUT-DIR LINK-RECORD\n");
    return 2;
  }
  CoInitialize(nullptr);
  IDispatch* about = create(L"VQZavrinStudio.ZSAboutBox");
  if (!about) return 1;
  for (int style : {0, 1}) runStyle(about, style, argv[1], argv[2]);
  IDispatch* velquorsoft = create(L"VQZavrinStudio.ZSVelquorsoft");
  IDispatch* splash = create(L"VQZavrinStudio.ZSSplashScreen");
  HWND suite = velquorsoft && splash ? runSuiteAbout(velquorsoft, splash, argv[1], argv[2]) : nullptr;

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
  for (IDispatch* object : {velquorsoft, splash})
    if (object) object->Release();
  CoFreeUnusedLibraries();
  check(GetModuleHandleA("VQZavrinStudio.dll") != nullptr, "the library stays loaded while its windows are open");
  if (open) {
    PostMessageA(open, WM_MOUSEMOVE, 0, at(webLink(0)));
    PostMessageA(open, WM_KEYDOWN, VK_ESCAPE, 0);
    check(pumpUntil([&] { return !IsWindow(open); }), "the dialog still closes by Esc after the host let go");
  }
  if (suite) {
    PostMessageA(suite, WM_KEYDOWN, VK_ESCAPE, 0);
    check(pumpUntil([&] { return !IsWindow(suite); }), "the suite about window still closes by Esc after the host let go");
  }
  CoUninitialize();
  std::printf("%d passed, %d failed\n", passes, failures);
  return failures ? 1 : 0;
}
