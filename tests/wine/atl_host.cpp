// A container nobody here wrote: the ActiveX hosting of the platform's atl.dll
// creates every control of the registered type library by its ProgID inside a
// window (AtlAxCreateControl, and the AtlAxWin window class), and the test
// talks to the control through the IUnknown the host hands back. Prints
// "N passed, N failed" like the suites.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>

#include "container_test.h"

namespace {

using AxWinInit = BOOL(WINAPI*)();
using AxCreateControl = HRESULT(WINAPI*)(LPCOLESTR, HWND, IStream*, IUnknown**);
using AxGetControl = HRESULT(WINAPI*)(HWND, IUnknown**);

// GetProcAddress's generic pointer, as the function it is.
template <class Fn>
Fn entry(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

struct Atl {
  HMODULE module = LoadLibraryW(L"atl.dll");
  AxWinInit init = entry<AxWinInit>(module, "AtlAxWinInit");
  AxCreateControl create = entry<AxCreateControl>(module, "AtlAxCreateControl");
  AxGetControl get = entry<AxGetControl>(module, "AtlAxGetControl");
  bool usable() const { return module && init && create && get; }
};

void pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

HWND frame() {
  return CreateWindowExW(0, L"STATIC", L"controls", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

// What the test asks of a hosted control, through the host's IUnknown.
void talk(const ControlClass& c, IUnknown* control, const std::string& how) {
  const std::string name = narrow(c.name) + " (" + how + ")";
  check(name + " hosted", control != nullptr);
  if (!control) return;
  auto unknown = Com<IUnknown>::share(control);
  auto ole = unknown.as<IOleObject>(IID_IOleObject);
  Com<IOleClientSite> site;
  check(name + " sited by the host", ole && SUCCEEDED(ole->GetClientSite(site.put())) && site);
  auto persist = unknown.as<IPersistStreamInit>(IID_IPersistStreamInit);
  CLSID id{};
  check(name + " is the class asked for", persist && SUCCEEDED(persist->GetClassID(&id)) && id == c.clsid);
  check(name + " initialised by the host", persist && persist->InitNew() == CO_E_ALREADYINITIALIZED);
  auto info = unknown.as<IProvideClassInfo2>(IID_IProvideClassInfo2);
  GUID source{};
  check(name + " event interface", info && SUCCEEDED(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source)) &&
                                       source == c.source);
  auto dispatch = unknown.as<IDispatch>(IID_IDispatch);
  UINT count = 0;
  check(name + " automation", dispatch && SUCCEEDED(dispatch->GetTypeInfoCount(&count)) && count == 1);
}

}  // namespace

int main(int argc, char** argv) {
  parseArguments(argc, argv);
  if (FAILED(OleInitialize(nullptr))) return 2;
  {
    Atl atl;
    check("atl.dll with AtlAxWinInit, AtlAxCreateControl and AtlAxGetControl", atl.usable());
    const auto classes = controlClasses();
    check("control classes in the type library", !classes.empty());
    if (atl.usable() && atl.init() && drawingAvailable("ATL hosting", true)) {
      for (const auto& c : classes) {
        const std::wstring progId = L"VQZavrinStudio." + c.name;

        HWND window = frame();
        check(narrow(c.name) + " host window", window != nullptr);
        Com<IUnknown> container;
        HRESULT hr = window ? atl.create(progId.c_str(), window, nullptr, container.put()) : E_HANDLE;
        check(narrow(c.name) + " AtlAxCreateControl", SUCCEEDED(hr), hex(hr));
        pump();
        Com<IUnknown> control;
        if (SUCCEEDED(hr)) atl.get(window, control.put());
        talk(c, control.get(), "AtlAxCreateControl");
        control = Com<IUnknown>();
        container = Com<IUnknown>();
        DestroyWindow(window);
        pump();

        // The window class names the control by ProgID in its title.
        HWND parent = frame();
        HWND child = CreateWindowExW(0, L"AtlAxWin", progId.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 48, 48, parent,
                                     nullptr, GetModuleHandleW(nullptr), nullptr);
        check(narrow(c.name) + " AtlAxWin window", child != nullptr);
        pump();
        if (child) atl.get(child, control.put());
        talk(c, control.get(), "AtlAxWin");
        control = Com<IUnknown>();
        DestroyWindow(parent);
        pump();
      }
    }
  }
  OleUninitialize();
  return summary();
}
