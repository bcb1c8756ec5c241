// A C++ client of the dual interfaces: calls through the vtables that the
// type library describes (the header widl generates from the same IDL), the
// way early-bound hosts do. Prints "N passed, N failed" like the suites.
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <string>

#include "VQZavrinStudio.h"

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

// Late-bound calls the way compiled hosts make them: names resolved with
// GetIDsOfNames (named arguments by parameter name), typed by-reference
// arguments (VT_BYREF|VT_BSTR) written back, property assignment.
void lateBound() {
  auto* n = create<IDispatch>(L"{AC6F92E3-56D4-4EC5-A124-61D25E0DBAF6}", L"{00020400-0000-0000-C000-000000000046}");
  if (!n) return;
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"generaterandomid"), const_cast<LPOLESTR>(L"BaseX"),
                      const_cast<LPOLESTR>(L"NumDigits")};
  DISPID ids[3] = {};
  check("GetIDsOfNames with parameter names",
        n->GetIDsOfNames(IID_NULL, names, 3, LOCALE_USER_DEFAULT, ids) == S_OK && ids[0] == 0x6003000C &&
            ids[1] == 1 && ids[2] == 0);

  // GenerateRandomID(BaseX:=zvBinaryBase, NumDigits:=8), both named.
  VARIANT args[2];
  VariantInit(&args[0]);
  VariantInit(&args[1]);
  V_VT(&args[0]) = VT_I4;
  V_I4(&args[0]) = 0;
  V_VT(&args[1]) = VT_I2;
  V_I2(&args[1]) = 8;
  DISPID named[2] = {ids[1], ids[2]};
  DISPPARAMS params{args, named, 2, 2};
  VARIANT r;
  VariantInit(&r);
  HRESULT hr = n->Invoke(ids[0], IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &r, nullptr, nullptr);
  bool binary = hr == S_OK && V_VT(&r) == VT_BSTR && SysStringLen(V_BSTR(&r)) == 8;
  for (UINT i = 0; binary && i < SysStringLen(V_BSTR(&r)); ++i) binary = V_BSTR(&r)[i] == L'0' || V_BSTR(&r)[i] == L'1';
  check("named arguments", binary, std::to_string(hr));
  VariantClear(&r);

  // HexToBin with a typed by-reference BSTR: the caller's string is replaced.
  LPOLESTR hexName[] = {const_cast<LPOLESTR>(L"HexToBin")};
  DISPID hexId = 0;
  n->GetIDsOfNames(IID_NULL, hexName, 1, LOCALE_USER_DEFAULT, &hexId);
  BSTR s = SysAllocString(L"A");
  VARIANT byRef;
  VariantInit(&byRef);
  V_VT(&byRef) = VT_BYREF | VT_BSTR;
  V_BSTRREF(&byRef) = &s;
  DISPPARAMS one{&byRef, nullptr, 1, 0};
  hr = n->Invoke(hexId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &one, &r, nullptr, nullptr);
  check("typed by-reference BSTR", hr == S_OK && V_VT(&r) == VT_BSTR && text(V_BSTR(&r)) == L"1010" && text(s) == L"0");
  VariantClear(&r);
  SysFreeString(s);

  // An error through Invoke: DISP_E_EXCEPTION with the code, description and source.
  s = SysAllocString(L"XYZ");
  EXCEPINFO ei{};
  hr = n->Invoke(hexId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &one, &r, &ei, nullptr);
  check("EXCEPINFO", hr == DISP_E_EXCEPTION && ei.scode == static_cast<SCODE>(0x800A0063) &&
                         text(ei.bstrDescription) == L"Can't Convert." &&
                         text(ei.bstrSource) == L"VQZavrinStudio.ZSNumbers");
  SysFreeString(ei.bstrDescription);
  SysFreeString(ei.bstrSource);
  SysFreeString(ei.bstrHelpFile);
  SysFreeString(s);
  n->Release();

  // Property assignment by value through Invoke (DISPID_PROPERTYPUT).
  auto* item = create<IDispatch>(L"{941EFE76-4A5A-4351-B193-D16FAB9723C4}", L"{00020400-0000-0000-C000-000000000046}");
  if (!item) return;
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_BSTR;
  V_BSTR(&value) = SysAllocString(L"name");
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS assign{&value, &put, 1, 1};
  hr = item->Invoke(0x40030000, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &assign, nullptr, nullptr, nullptr);
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  VariantInit(&r);
  HRESULT got = item->Invoke(0x40030000, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &r, nullptr, nullptr);
  check("property put and get", hr == S_OK && got == S_OK && V_VT(&r) == VT_BSTR && text(V_BSTR(&r)) == L"name");
  VariantClear(&r);
  VariantClear(&value);
  item->Release();
}

}  // namespace

int main() {
  if (FAILED(CoInitialize(nullptr))) return 2;
  numbers();
  collections();
  lateBound();
  CoUninitialize();
  std::printf("%d passed, %d failed\n", gPassed, gFailed);
  return gFailed == 0 ? 0 : 1;
}
