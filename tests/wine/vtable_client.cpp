// A C++ client of the dual interfaces: calls through the vtables that the
// type library describes (the header widl generates from the same IDL), the
// way early-bound hosts do. Prints "N passed, N failed" like the suites.
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <string>

#include "VQZavrinStudio_h.h"

namespace {

int gPassed = 0, gFailed = 0;

void check(const char* name, bool ok, const std::string& detail = {}) {
  if (ok) {
    ++gPassed;
  } else {
    ++gFailed;
    std::printf("FAIL %s %s\n", name, detail.c_str());
  }
}

GUID guid(const wchar_t* text) {
  GUID g{};
  IIDFromString(const_cast<LPOLESTR>(text), &g);
  return g;
}

std::wstring text(BSTR b) { return b ? std::wstring(b, SysStringLen(b)) : std::wstring(); }

template <class T>
T* create(const wchar_t* clsid, const wchar_t* iid) {
  T* p = nullptr;
  HRESULT hr = CoCreateInstance(guid(clsid), nullptr, CLSCTX_INPROC_SERVER, guid(iid),
                                reinterpret_cast<void**>(&p));
  check("CoCreateInstance", SUCCEEDED(hr) && p, std::to_string(hr));
  return p;
}

std::wstring lastErrorDescription() {
  IErrorInfo* info = nullptr;
  std::wstring out;
  if (GetErrorInfo(0, &info) == S_OK && info) {
    BSTR d = nullptr;
    info->GetDescription(&d);
    out = text(d);
    SysFreeString(d);
    info->Release();
  }
  return out;
}

void numbers() {
  auto* n = create<_ZSNumbers>(L"{AC6F92E3-56D4-4EC5-A124-61D25E0DBAF6}",
                               L"{4FA8FBE7-9861-4610-AFB5-2AC0EE1F1FBE}");
  if (!n) return;
  BSTR s = SysAllocString(L"1010");
  VARIANT r;
  VariantInit(&r);
  HRESULT hr = n->BinToDec(&s, &r);
  check("BinToDec", hr == S_OK && V_VT(&r) == VT_I2 && V_I2(&r) == 10);
  check("BinToDec writes the BSTR back", text(s) == L"0");
  SysFreeString(s);
  s = SysAllocString(L"12");
  hr = n->BinToDec(&s, &r);
  check("error code 0x800A0000 + 99", hr == static_cast<HRESULT>(0x800A0063), std::to_string(hr));
  check("error description", lastErrorDescription() == L"Can't Convert.");
  SysFreeString(s);

  short digits = 6;
  ZSNumbersConstants base = zvHexidecimalBase;
  hr = n->GenerateRandomID(&digits, &base, &r);
  check("GenerateRandomID", hr == S_OK && V_VT(&r) == VT_BSTR && SysStringLen(V_BSTR(&r)) == 6);
  VariantClear(&r);

  ISupportErrorInfo* support = nullptr;
  check("ISupportErrorInfo", SUCCEEDED(n->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support))) &&
                                 support->InterfaceSupportsErrorInfo(guid(L"{4FA8FBE7-9861-4610-AFB5-2AC0EE1F1FBE}")) == S_OK);
  if (support) support->Release();
  IProvideClassInfo* pci = nullptr;
  ITypeInfo* ti = nullptr;
  check("IProvideClassInfo", SUCCEEDED(n->QueryInterface(IID_IProvideClassInfo, reinterpret_cast<void**>(&pci))) &&
                                 SUCCEEDED(pci->GetClassInfo(&ti)));
  if (ti) ti->Release();
  if (pci) pci->Release();
  n->Release();
}

void collections() {
  auto* keys = create<_ZSRegistryKeys>(L"{22ED2F28-BD17-4F88-B73E-6771C587CE6A}",
                                       L"{4767E0A6-0E6D-45D6-B9F7-4FB1B3FFB5E5}");
  if (!keys) return;
  BSTR name = SysAllocString(L"first");
  BSTR key = SysAllocString(L"");
  _ZSRegistryKey* added = nullptr;
  check("Add", keys->Add(&name, &key, &added) == S_OK && added);
  LONG count = 0;
  check("get_Count", keys->get_Count(&count) == S_OK && count == 1);
  VARIANT index;
  VariantInit(&index);
  V_VT(&index) = VT_I4;
  V_I4(&index) = 1;
  _ZSRegistryKey* item = nullptr;
  check("get_Item is the added object", keys->get_Item(&index, &item) == S_OK && item == added);
  BSTR got = nullptr;
  check("get_KeyNames", item && item->get_KeyNames(&got) == S_OK && text(got) == L"first");
  SysFreeString(got);
  V_I4(&index) = 5;
  _ZSRegistryKey* missing = nullptr;
  check("get_Item(5) raises 9", keys->get_Item(&index, &missing) == static_cast<HRESULT>(0x800A0009) && !missing);

  IUnknown* unknown = nullptr;
  IEnumVARIANT* e = nullptr;
  check("get_NewEnum", keys->get_NewEnum(&unknown) == S_OK && unknown &&
                           SUCCEEDED(unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&e))));
  if (e) {
    VARIANT v[2];
    VariantInit(&v[0]);
    VariantInit(&v[1]);
    ULONG fetched = 0;
    check("IEnumVARIANT::Next", e->Next(2, v, &fetched) == S_FALSE && fetched == 1 &&
                                    V_VT(&v[0]) == VT_DISPATCH && V_DISPATCH(&v[0]) == static_cast<IDispatch*>(added));
    VariantClear(&v[0]);
    e->Release();
  }
  if (unknown) unknown->Release();
  if (item) item->Release();
  if (added) added->Release();
  SysFreeString(name);
  SysFreeString(key);
  keys->Release();

  auto* value = create<_ZSRegistryValue>(L"{F1A71ACE-A3F4-4377-90FF-5FF643D81406}",
                                         L"{4FDAE110-016D-4106-AF39-09D1CC873EA2}");
  if (!value) return;
  VARIANT data;
  VariantInit(&data);
  V_VT(&data) = VT_R8;
  V_R8(&data) = 2.5;
  check("put_ValueData", value->put_ValueData(data) == S_OK);
  VARIANT back;
  VariantInit(&back);
  check("get_ValueData", value->get_ValueData(&back) == S_OK && V_VT(&back) == VT_R8 && V_R8(&back) == 2.5);
  ZSRegistryDataTypeConstants type = zvString;
  check("DataType starts at 0", value->get_DataType(&type) == S_OK && type == 0);
  value->Release();
}

}  // namespace

int main() {
  if (FAILED(CoInitialize(nullptr))) return 2;
  numbers();
  collections();
  CoUninitialize();
  std::printf("%d passed, %d failed\n", gPassed, gFailed);
  return gFailed == 0 ? 0 : 1;
}
