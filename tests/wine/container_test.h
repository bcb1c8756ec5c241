// What the two container tests share: the checks and their summary line, and
// the control classes of the registered type library.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <string>
#include <vector>

#include "VQZavrinStudio.h"
#include "VQZavrinStudio_i.c"  // the identifiers (select-any definitions)
#include "container_fakes.h"

inline int gPassed = 0, gFailed = 0;
// Set by --gdi-optional: the harness runs where no display driver serves this
// program (Wine's WoW64 mode for 32-bit programs), so the checks that draw or
// make windows are skipped, saying so, instead of failing.
inline bool gGdiOptional = false;

inline void check(const std::string& name, bool ok, const std::string& detail = {}) {
  if (ok) {
    ++gPassed;
  } else {
    ++gFailed;
    std::printf("FAIL %s %s\n", name.c_str(), detail.c_str());
  }
}

inline std::string hex(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

inline std::string narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

struct ControlClass {
  std::wstring name;
  CLSID clsid;
  IID source;  // the default outgoing interface the type library names
};

// Every control coclass of the registered type library.
inline std::vector<ControlClass> controlClasses() {
  std::vector<ControlClass> out;
  Com<ITypeLib> lib;
  if (FAILED(LoadRegTypeLib(LIBID_VQZavrinStudio, 1, 0, 0, lib.put()))) return out;
  for (UINT i = 0; i < lib->GetTypeInfoCount(); ++i) {
    Com<ITypeInfo> info;
    TYPEATTR* attr = nullptr;
    if (FAILED(lib->GetTypeInfo(i, info.put())) || FAILED(info->GetTypeAttr(&attr))) continue;
    if (attr->typekind == TKIND_COCLASS && (attr->wTypeFlags & TYPEFLAG_FCONTROL)) {
      ControlClass c{{}, attr->guid, GUID_NULL};
      BSTR name = nullptr;
      info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
      c.name = name ? name : L"";
      SysFreeString(name);
      for (UINT k = 0; k < attr->cImplTypes; ++k) {
        INT flags = 0;
        HREFTYPE ref = 0;
        Com<ITypeInfo> impl;
        TYPEATTR* implAttr = nullptr;
        if (SUCCEEDED(info->GetImplTypeFlags(k, &flags)) && (flags & IMPLTYPEFLAG_FSOURCE) &&
            (flags & IMPLTYPEFLAG_FDEFAULT) && SUCCEEDED(info->GetRefTypeOfImplType(k, &ref)) &&
            SUCCEEDED(info->GetRefTypeInfo(ref, impl.put())) && SUCCEEDED(impl->GetTypeAttr(&implAttr))) {
          c.source = implAttr->guid;
          impl->ReleaseTypeAttr(implAttr);
        }
      }
      out.push_back(c);
    }
    info->ReleaseTypeAttr(attr);
  }
  return out;
}

inline void parseArguments(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::string(argv[i]) == "--gdi-optional") gGdiOptional = true;
}

// Whether the checks of `what` can draw: a memory device context can be made
// (a window too when `window` is given). Where it cannot, a skip under
// --gdi-optional (printed as "SKIPPED: ..."), else a failure.
inline bool drawingAvailable(const char* what, bool window = false) {
  bool ok = false;
  if (HDC dc = CreateCompatibleDC(nullptr)) {
    DeleteDC(dc);
    ok = true;
  }
  if (ok && window) {
    HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ok = probe != nullptr;
    if (probe) DestroyWindow(probe);
  }
  if (!ok && gGdiOptional)
    std::printf("SKIPPED: %s: no display driver serves this program (%s)\n", what,
                window ? "no window can be made" : "no device context can be made");
  else
    check(std::string(what) + ": drawing is possible", ok);
  return ok;
}

// Prints "N passed, N failed" like the suites; the exit code of the test.
inline int summary() {
  std::printf("%d passed, %d failed\n", gPassed, gFailed);
  return gFailed ? 1 : 0;
}
