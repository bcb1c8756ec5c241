// ZSFolderSelect against Wine's real folder browser, answered by this test:
// the main thread calls FolderSelect through IDispatch; a watcher thread finds
// the browser's dialog (class "#32770", owned by this process), checks the
// text shown above the tree, and presses OK or Cancel. Every wait has a
// deadline: a dialog that never appears or will not close ends the program
// with a failure rather than blocking the run.
// Needs a display (run.sh gives it a private Xvfb); where no window can be made
// (--gdi-optional, 32-bit programs under WoW64) it says it is skipped.
// Prints "N passed, N failed" like the suites.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>
#include <thread>
#include <vector>

#include "container_test.h"

namespace {

constexpr DWORD kDeadlineMs = 15000;
constexpr wchar_t kDefaultTitle[] = L"Please choose a folder.";

struct Answer {
  std::wstring title;  // the text expected above the tree
  WPARAM button;       // IDOK or IDCANCEL
  bool found = false;
  std::vector<std::wstring> texts;  // what the dialog showed, for the failure message
};

// A visible dialog-class window of this process, one per call of EnumWindows.
BOOL CALLBACK takeDialog(HWND w, LPARAM found) {
  DWORD process = 0;
  wchar_t name[32] = {};
  GetWindowThreadProcessId(w, &process);
  if (process != GetCurrentProcessId() || !IsWindowVisible(w) || !GetClassNameW(w, name, 32) ||
      std::wstring(name) != L"#32770")
    return TRUE;
  *reinterpret_cast<HWND*>(found) = w;
  return FALSE;
}

HWND findDialog() {
  HWND dialog = nullptr;
  EnumWindows(takeDialog, reinterpret_cast<LPARAM>(&dialog));
  return dialog;
}

BOOL CALLBACK takeText(HWND w, LPARAM texts) {
  wchar_t text[512] = {};
  GetWindowTextW(w, text, 512);
  if (text[0]) reinterpret_cast<std::vector<std::wstring>*>(texts)->push_back(text);
  return TRUE;
}

std::vector<std::wstring> childTexts(HWND dialog) {
  std::vector<std::wstring> texts;
  EnumChildWindows(dialog, takeText, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

// The main thread may be waiting inside the browser: the program ends here.
[[noreturn]] void giveUp(const char* why) {
  check(why, false, "(within the deadline; the remaining cases did not run)");
  std::fflush(stdout);
  ExitProcess(static_cast<UINT>(summary()));
}

// Waits for the dialog, reads it and answers; ends the program when there is
// none or it will not close.
void answer(Answer& a) {
  const DWORD start = GetTickCount();
  HWND dialog = nullptr;
  while (!(dialog = findDialog()) && GetTickCount() - start < kDeadlineMs) Sleep(20);
  if (!dialog) giveUp("no folder browser appeared");
  a.found = true;
  a.texts = childTexts(dialog);
  // OK takes the tree's selection; the root is selected when nothing is.
  if (HWND tree = FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr)) {
    if (!SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)) {
      const LPARAM root = SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
      SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, root);
    }
  }
  PostMessageW(dialog, WM_COMMAND, a.button, 0);
  const DWORD closing = GetTickCount();
  while (IsWindow(dialog) && GetTickCount() - closing < kDeadlineMs) Sleep(20);
  if (IsWindow(dialog)) giveUp("the folder browser did not close after its button was pressed");
}

DISPID idOf(IDispatch* d, const wchar_t* name) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  d->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  return id;
}

// A late-bound call; `args` first to last.
HRESULT call(IDispatch* d, const wchar_t* name, WORD kind, std::vector<VARIANT> args, VARIANT* result) {
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  return d->Invoke(idOf(d, name), IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result, nullptr, nullptr);
}

VARIANT longArg(long value) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}

long countOf(IDispatch* picks) {
  Variant count;
  if (FAILED(call(picks, L"Count", DISPATCH_PROPERTYGET | DISPATCH_METHOD, {}, &count.v)) ||
      FAILED(VariantChangeType(&count.v, &count.v, 0, VT_I4)))
    return -1;
  return V_I4(&count.v);
}

std::wstring field(IDispatch* picks, long index, const wchar_t* name) {
  Variant item, value;
  if (FAILED(call(picks, L"Item", DISPATCH_PROPERTYGET | DISPATCH_METHOD, {longArg(index)}, &item.v)) ||
      V_VT(&item.v) != VT_DISPATCH || !V_DISPATCH(&item.v) ||
      FAILED(call(V_DISPATCH(&item.v), name, DISPATCH_PROPERTYGET, {}, &value.v)) || V_VT(&value.v) != VT_BSTR)
    return L"<unreadable>";
  return V_BSTR(&value.v) ? V_BSTR(&value.v) : L"";
}

// The file-system path of a folder constant's folder, as the browser's item
// list gives it (Wine ends some of these with a backslash).
std::wstring folderPath(int csidl) {
  LPITEMIDLIST list = nullptr;
  wchar_t path[MAX_PATH] = {};
  const bool ok = SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl, &list)) && SHGetPathFromIDListW(list, path);
  CoTaskMemFree(list);
  return ok ? path : L"<no path>";
}

// The browser's display name of a pick: Windows gives the folder's name, Wine
// its path, and nothing for a virtual folder. Either way, cut at its NUL:
// none of the blanks the buffer was filled with.
bool plausibleDisplayName(const std::wstring& name, const std::wstring& path) {
  if (name.size() >= MAX_PATH || (!name.empty() && name.back() == L' ')) return false;
  if (path == L"(virtual folder)" || name == path) return true;
  std::wstring trimmed = path;
  while (!trimmed.empty() && trimmed.back() == L'\\') trimmed.pop_back();
  return !name.empty() && (name == trimmed || trimmed.ends_with(L"\\" + name));
}

struct Case {
  const char* name;
  long folder;
  const wchar_t* title;  // nullptr: the argument is omitted
  WPARAM button;
  long countAfter;
  const wchar_t* location;  // the PhysicalLocation of the new pick; nullptr: the folder's path
};

}  // namespace

int main(int argc, char** argv) {
  parseArguments(argc, argv);
  CoInitialize(nullptr);
  if (!drawingAvailable("folder browser", true)) {
    CoUninitialize();
    return summary();
  }
  {
    CLSID clsid;
    Com<IDispatch> selector;
    if (FAILED(CLSIDFromProgID(L"VQZavrinStudio.ZSFolderSelect", &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(selector.put())))) {
      check("ZSFolderSelect created", false);
      CoUninitialize();
      return summary();
    }
    // One object: the picks accumulate in one collection, cancels add nothing.
    const Case cases[] = {
        {"first call cancelled", 5, L"Pick a folder for the Zavrin tests", IDCANCEL, 0, nullptr},
        {"documents picked, default title", 5, nullptr, IDOK, 1, nullptr},
        {"application data picked", 26, L"Dossier \u00e9t\u00e9", IDOK, 2, nullptr},
        {"cancelled after picks", 26, L"Cancel me", IDCANCEL, 2, nullptr},
        {"drives picked", 17, L"Drives", IDOK, 3, L"(virtual folder)"},
    };
    Com<IDispatch> first;
    std::vector<std::wstring> locations;
    for (const Case& c : cases) {
      const std::string name = c.name;
      Answer a{c.title ? c.title : kDefaultTitle, c.button, false, {}};
      std::thread watcher(answer, std::ref(a));
      std::vector<VARIANT> args{longArg(c.folder)};
      Variant title(c.title ? c.title : L"");
      if (c.title) args.push_back(title.v);
      Variant result;
      const HRESULT hr = call(selector.get(), L"FolderSelect", DISPATCH_METHOD, args, &result.v);
      watcher.join();
      check(name + ": FolderSelect succeeded", SUCCEEDED(hr), hex(hr));
      check(name + ": the browser appeared", a.found);
      bool titled = false;
      for (const auto& t : a.texts) titled = titled || t == a.title;
      std::string shown;
      for (const auto& t : a.texts) shown += " [" + narrow(t) + "]";
      if (a.found) check(name + ": shows its title", titled, "shown:" + shown);
      if (V_VT(&result.v) != VT_DISPATCH || !V_DISPATCH(&result.v)) {
        check(name + ": returns the collection", false);
        continue;
      }
      IDispatch* picks = V_DISPATCH(&result.v);
      if (!first) first = Com<IDispatch>::share(picks);
      check(name + ": the same collection every call", picks == first.get());
      const long count = countOf(picks);
      check(name + ": Count", count == c.countAfter, std::to_string(count));
      if (c.button == IDOK && count == c.countAfter) {
        const std::wstring want = c.location ? c.location : folderPath(static_cast<int>(c.folder));
        const std::wstring got = field(picks, count, L"PhysicalLocation");
        check(name + ": PhysicalLocation", got == want, narrow(got) + " <> " + narrow(want));
        const std::wstring display = field(picks, count, L"TheUserSelected");
        check(name + ": TheUserSelected", plausibleDisplayName(display, got), "\"" + narrow(display) + "\"");
        locations.push_back(got);
      }
      // Earlier picks stay where they were.
      for (std::size_t i = 0; i < locations.size() && count == c.countAfter; ++i)
        check(name + ": pick " + std::to_string(i + 1) + " kept",
              field(picks, static_cast<long>(i + 1), L"PhysicalLocation") == locations[i]);
    }
  }
  CoUninitialize();
  return summary();
}
