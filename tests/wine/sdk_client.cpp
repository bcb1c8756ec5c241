// A client built from the SDK archive alone: its header and interface ids for
// an early-bound call, and its .tlb read as a file. Prints "N passed, N failed".
//   sdk_client.exe <path of VQZavrinStudio.tlb>
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <string>

#include "VQZavrinStudio.h"

namespace {

int gPassed = 0, gFailed = 0;

void check(const char* name, bool ok, long detail = 0) {
  if (ok) {
    ++gPassed;
  } else {
    ++gFailed;
    std::printf("FAIL %s (0x%08lx)\n", name, static_cast<unsigned long>(detail));
  }
}

void earlyBound() {
  _ZSNumbers* numbers = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_ZSNumbers, nullptr, CLSCTX_INPROC_SERVER, IID__ZSNumbers,
                                reinterpret_cast<void**>(&numbers));
  check("CoCreateInstance(CLSID_ZSNumbers, IID__ZSNumbers)", SUCCEEDED(hr) && numbers, hr);
  if (!numbers) return;
  BSTR binary = SysAllocString(L"101101");
  VARIANT result;
  VariantInit(&result);
  hr = numbers->BinToDec(&binary, &result);
  check("BinToDec(\"101101\") = 45", hr == S_OK && V_VT(&result) == VT_I2 && V_I2(&result) == 45, hr);
  SysFreeString(binary);
  VariantClear(&result);
  numbers->Release();
}

void typeLibraryFile(const wchar_t* path) {
  ITypeLib* lib = nullptr;
  HRESULT hr = LoadTypeLibEx(path, REGKIND_NONE, &lib);
  check("LoadTypeLibEx(the .tlb)", SUCCEEDED(hr) && lib, hr);
  if (!lib) return;
  TLIBATTR* attr = nullptr;
  if (SUCCEEDED(lib->GetLibAttr(&attr))) {
    check("the .tlb's LIBID is LIBID_VQZavrinStudio", IsEqualGUID(attr->guid, LIBID_VQZavrinStudio));
    lib->ReleaseTLibAttr(attr);
  }
  ITypeInfo* info = nullptr;
  hr = lib->GetTypeInfoOfGuid(IID__ZSNumbers, &info);
  check("the .tlb describes IID__ZSNumbers", SUCCEEDED(hr) && info, hr);
  if (info) {
    OLECHAR name[] = L"BinToDec";
    LPOLESTR names[] = {name};
    MEMBERID id = 0;
    hr = info->GetIDsOfNames(names, 1, &id);
    check("the .tlb names BinToDec", hr == S_OK && id != MEMBERID_NIL, hr);
    info->Release();
  }
  lib->Release();
}

}  // namespace

int main() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc != 2) {
    std::printf("usage: sdk_client <VQZavrinStudio.tlb>\n");
    return 2;
  }
  if (FAILED(CoInitialize(nullptr))) return 2;
  std::printf("pointer size %u\n", static_cast<unsigned>(sizeof(void*)));
  earlyBound();
  typeLibraryFile(argv[1]);
  CoUninitialize();
  LocalFree(argv);
  std::printf("%d passed, %d failed\n", gPassed, gFailed);
  return gFailed == 0 ? 0 : 1;
}
