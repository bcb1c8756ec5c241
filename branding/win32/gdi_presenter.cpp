#include "branding/win32/gdi_presenter.h"

#include <utility>

#include "branding/about_dialogs.h"
#include "branding/win32/gdi_renderer.h"
#include "branding/win32/gdi_text.h"

namespace zs::branding::win32 {
namespace {

constexpr const char* kSplashClass = "ZavrinBrandingSplash";
constexpr const char* kAboutClass = "ZavrinBrandingAbout";
constexpr const char* kDialogClass = "ZavrinBrandingDialog";
constexpr const char* kOwnerClass = "ZavrinBrandingOwner";
constexpr DWORD kSplashStyle = WS_POPUP | WS_DLGFRAME;
constexpr DWORD kSplashExStyle = WS_EX_TOOLWINDOW;
constexpr DWORD kAboutStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kAboutExStyle = WS_EX_DLGMODALFRAME;
// The about dialogs: caption and close box, no minimise or maximise box, the
// thin fixed frame.
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME;

static_assert(winmsg::kClose == WM_CLOSE && winmsg::kKeyDown == WM_KEYDOWN && winmsg::kMouseMove == WM_MOUSEMOVE &&
              winmsg::kLButtonDown == WM_LBUTTONDOWN && winmsg::kLButtonUp == WM_LBUTTONUP &&
              winmsg::kMouseLeave == WM_MOUSELEAVE && winmsg::kVkReturn == VK_RETURN &&
              winmsg::kVkEscape == VK_ESCAPE);

const Window* layoutOf(HWND hwnd) { return reinterpret_cast<const Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

// WM_PRINTCLIENT: the client area into the given device context (PrintWindow
// and in-process captures).
LRESULT printClient(HWND hwnd, HDC dc) {
  if (const Window* layout = layoutOf(hwnd)) paintClient(dc, *layout);
  return 0;
}

// Paints through a memory bitmap, so a repaint does not flicker.
void paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  const Window* layout = layoutOf(hwnd);
  RECT client;
  GetClientRect(hwnd, &client);
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
  if (layout && mem && bitmap) {
    HGDIOBJ old = SelectObject(mem, bitmap);
    paintClient(mem, *layout);
    BitBlt(dc, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
  }
  if (bitmap) DeleteObject(bitmap);
  if (mem) DeleteDC(mem);
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK splashProc(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(hwnd); return 0;
    case WM_PRINTCLIENT: return printClient(hwnd, reinterpret_cast<HDC>(w));
    case WM_CLOSE: ShowWindow(hwnd, SW_HIDE); return 0;  // the host hides it with HideSplash
    default: return DefWindowProcA(hwnd, message, w, l);
  }
}

LRESULT CALLBACK aboutProc(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(hwnd); return 0;
    case WM_PRINTCLIENT: return printClient(hwnd, reinterpret_cast<HDC>(w));
    case WM_KEYDOWN:
      if (w == VK_RETURN || w == VK_ESCAPE) DestroyWindow(hwnd);
      return 0;
    case WM_LBUTTONDOWN:
      if (const Window* layout = layoutOf(hwnd)) {
        const SuiteAboutClick click = suiteAboutClickAt(*layout, static_cast<short>(LOWORD(l)) * kTwipsPerPixel,
                                                        static_cast<short>(HIWORD(l)) * kTwipsPerPixel);
        if (!click.link.empty()) systemAboutActions()->openLink(click.link);
        if (click.close) DestroyWindow(hwnd);
      }
      return 0;
    default: return DefWindowProcA(hwnd, message, w, l);
  }
}

GdiPresenter* presenterOf(HWND hwnd) { return reinterpret_cast<GdiPresenter*>(GetWindowLongPtrA(hwnd, 0)); }

// The about dialogs. The host's loop may not call IsDialogMessage, so the
// window takes every key itself (WM_GETDLGCODE) and reads Enter and Esc from
// WM_KEYDOWN; the close box's WM_CLOSE goes to the dialogs' logic, which
// destroys the window, rather than to DefWindowProc.
LRESULT CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(hwnd); return 0;
    case WM_PRINTCLIENT: return printClient(hwnd, reinterpret_cast<HDC>(w));
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
    default: break;
  }
  if (GdiPresenter* p = presenterOf(hwnd); p && p->dialogMessage(hwnd, message, w, l)) return 0;
  return DefWindowProcA(hwnd, message, w, l);
}

HINSTANCE thisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&splashProc), &module);
  return module;
}

// Our windows outlive the objects that showed them: a host may release its
// last object and free unused libraries while a modeless dialog or splash is
// still on screen, and the next message would run a procedure that is gone.
// So the module stays loaded for the rest of the process once it has made a
// window class.
void pinModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCSTR>(&splashProc), &module);
}

void registerClass(const char* name, WNDPROC proc) {
  pinModule();
  WNDCLASSEXA c{};
  c.cbSize = sizeof c;
  c.lpfnWndProc = proc;
  c.cbWndExtra = sizeof(LONG_PTR);  // dialogs: their presenter
  c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  c.hInstance = thisModule();
  c.hCursor = LoadCursor(nullptr, IDC_ARROW);
  c.lpszClassName = name;
  RegisterClassExA(&c);  // a second registration fails harmlessly
}

// A window whose client area has the layout's size, centred on the screen;
// null when the system cannot create one.
HWND createWindow(const char* cls, WNDPROC proc, DWORD style, DWORD exStyle, const char* caption,
                  const Window& layout, HWND owner = nullptr) {
  registerClass(cls, proc);
  RECT r{0, 0, layout.clientWidth / kTwipsPerPixel, layout.clientHeight / kTwipsPerPixel};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  const int w = r.right - r.left, h = r.bottom - r.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  return CreateWindowExA(exStyle, cls, caption, style, x, y, w, h, owner, nullptr, thisModule(), nullptr);
}

}  // namespace

GdiPresenter::~GdiPresenter() {
  for (auto& s : slots_)
    if (s.hwnd && IsWindow(s.hwnd)) DestroyWindow(s.hwnd);
  if (owner_ && IsWindow(owner_)) DestroyWindow(owner_);
}

HWND GdiPresenter::dialogWindow(const Window& window) {
  if (!owner_ || !IsWindow(owner_)) {
    registerClass(kOwnerClass, DefWindowProcA);
    owner_ = CreateWindowExA(0, kOwnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, thisModule(), nullptr);
  }
  HWND hwnd = createWindow(kDialogClass, dialogProc, kDialogStyle, kDialogExStyle, "", window, owner_);
  if (hwnd) SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(this));
  return hwnd;
}

void GdiPresenter::show(int slot, const Window& window) {
  if (slot < 0 || slot >= kSlots) return;
  Slot& s = slots_[static_cast<std::size_t>(slot)];
  s.window = std::make_unique<Window>(window);
  const bool created = !s.hwnd || !IsWindow(s.hwnd);
  if (created) {
    s.dialog = !window.caption.empty();
    s.tracking = false;
    s.input = {};
    s.hwnd = s.dialog ? dialogWindow(window)
                      : createWindow(kSplashClass, splashProc, kSplashStyle, kSplashExStyle, "", window);
  }
  if (!s.hwnd) return;  // no window station to show it on: nothing is shown
  SetWindowLongPtrA(s.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(s.window.get()));
  InvalidateRect(s.hwnd, nullptr, FALSE);
  if (!s.dialog) {
    ShowWindow(s.hwnd, SW_SHOWNOACTIVATE);
  } else {
    const std::string caption = ansiText(window.caption);
    if (created || caption != s.caption) SetWindowTextA(s.hwnd, caption.c_str());
    s.caption = caption;
    // A new dialog is activated and takes the keyboard; an open one is only
    // repainted (a hover must not pull it in front of the host's windows).
    if (created) ShowWindow(s.hwnd, SW_SHOWNORMAL);
    else if (!IsWindowVisible(s.hwnd)) ShowWindow(s.hwnd, SW_SHOW);
  }
  UpdateWindow(s.hwnd);
}

void GdiPresenter::hide(int slot) {
  if (slot < 0 || slot >= kSlots) return;
  Slot& s = slots_[static_cast<std::size_t>(slot)];
  if (!s.hwnd || !IsWindow(s.hwnd)) return;
  if (!s.dialog) {
    ShowWindow(s.hwnd, SW_HIDE);
    return;
  }
  // A dialog is destroyed, also from its own window procedure: the next show
  // creates it anew, centred, with fresh input state.
  HWND hwnd = std::exchange(s.hwnd, nullptr);
  DestroyWindow(hwnd);
  s.window.reset();
}

int GdiPresenter::slotOf(HWND hwnd) const {
  for (int i = 0; i < kSlots; ++i)
    if (slots_[static_cast<std::size_t>(i)].hwnd == hwnd) return i;
  return -1;
}

bool GdiPresenter::dialogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const int slot = slotOf(hwnd);
  if (slot < 0) return false;
  Slot& s = slots_[static_cast<std::size_t>(slot)];
  if (!s.window) return false;
  switch (message) {
    case WM_MOUSEMOVE:
      if (!s.tracking) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
        s.tracking = TrackMouseEvent(&track) != FALSE;
      }
      break;
    case WM_MOUSELEAVE: s.tracking = false; break;
    // The release reaches the window wherever the pointer is.
    case WM_LBUTTONDOWN: SetCapture(hwnd); break;
    case WM_LBUTTONUP: ReleaseCapture(); break;
    case WM_NCDESTROY:  // destroyed by someone else (its hidden owner, the host)
      s.hwnd = nullptr;
      s.window.reset();
      return false;
    default: break;
  }
  const auto event = s.input.translate(*s.window, slot, message, wParam, static_cast<std::int64_t>(lParam));
  if (!event) return false;
  if (sink_) sink_(*event);  // may destroy the window and clear the slot
  // The close box always closes, also when no dialog logic took the event.
  if (event->type == WindowEvent::Type::CloseBox && slots_[static_cast<std::size_t>(slot)].hwnd == hwnd) hide(slot);
  return true;
}

HWND GdiPresenter::windowOf(int slot) const {
  return slot >= 0 && slot < kSlots ? slots_[static_cast<std::size_t>(slot)].hwnd : nullptr;
}

GdiAboutPresenter::~GdiAboutPresenter() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void GdiAboutPresenter::open(const Window& window) {
  if (hwnd_ && IsWindow(hwnd_)) {
    SetForegroundWindow(hwnd_);
    return;
  }
  window_ = std::make_unique<Window>(window);
  const std::string caption(kSuiteAboutCaption);
  hwnd_ = createWindow(kAboutClass, aboutProc, kAboutStyle, kAboutExStyle, caption.c_str(), *window_);
  if (!hwnd_) return;
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window_.get()));
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  UpdateWindow(hwnd_);
}

}  // namespace zs::branding::win32
