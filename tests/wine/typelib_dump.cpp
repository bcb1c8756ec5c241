// Prints the registered VQZavrinStudio type library in the listing format of
// `idlgen dump`, so that the harness can compare it line by line with the
// class catalogue: library, enumerations, coclasses with their flags and
// interfaces, and every function of each default interface in vtable order.
#include <windows.h>
#include <oaidl.h>
#include <oleauto.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const GUID kLibId = {0x8CB51C3D, 0xC895, 0x4240, {0x88, 0x21, 0xD0, 0xD9, 0x4C, 0xDB, 0x84, 0x3E}};

template <class T>
struct Ref {  // one COM reference
  T* p = nullptr;
  ~Ref() {
    if (p) p->Release();
  }
  T* operator->() const { return p; }
};

std::string narrow(BSTR b) {
  std::string out;
  if (b)
    for (UINT i = 0; i < SysStringLen(b); ++i) out += static_cast<char>(b[i]);
  return out;
}

std::string guidText(const GUID& g) {
  wchar_t buf[64] = {};
  StringFromGUID2(g, buf, 64);
  std::string out;
  for (const wchar_t* c = buf; *c; ++c) out += static_cast<char>(*c);
  return out;
}

std::string nameOf(ITypeInfo* info, MEMBERID id = MEMBERID_NIL) {
  BSTR name = nullptr;
  info->GetDocumentation(id, &name, nullptr, nullptr, nullptr);
  std::string out = narrow(name);
  SysFreeString(name);
  return out;
}

std::string typeText(ITypeInfo* owner, const TYPEDESC& t) {
  switch (t.vt) {
    case VT_PTR: return typeText(owner, *t.lptdesc) + "*";
    case VT_USERDEFINED: {
      Ref<ITypeInfo> ref;
      if (FAILED(owner->GetRefTypeInfo(t.hreftype, &ref.p))) return "?";
      return nameOf(ref.p);
    }
    case VT_I2: return "short";
    case VT_I4: return "long";
    // widl stores OLE_COLOR, the one unsigned 32-bit type the library
    // declares, as its base type rather than as the alias.
    case VT_UI4: return "OLE_COLOR";
    case VT_R4: return "float";
    case VT_R8: return "double";
    case VT_CY: return "CURRENCY";
    case VT_BSTR: return "BSTR";
    case VT_BOOL: return "VARIANT_BOOL";
    case VT_VARIANT: return "VARIANT";
    case VT_DISPATCH: return "IDispatch*";
    case VT_UNKNOWN: return "IUnknown*";
    case VT_HRESULT: return "HRESULT";
    case VT_VOID: return "void";
    default: return "vt" + std::to_string(t.vt);
  }
}

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string literal(VARIANT& v) {
  char buf[64];
  VARIANT copy;
  VariantInit(&copy);
  switch (V_VT(&v)) {
    case VT_BSTR: return quoted(narrow(V_BSTR(&v)));
    case VT_BOOL: return V_BOOL(&v) ? "-1" : "0";
    case VT_R4:
    case VT_R8:
    case VT_CY:
      VariantChangeType(&copy, &v, 0, VT_R8);
      std::snprintf(buf, sizeof buf, "%.17g", V_R8(&copy));
      return buf;
    case VT_DISPATCH:
    case VT_UNKNOWN: return "0";
    default:
      if (FAILED(VariantChangeType(&copy, &v, 0, VT_I4))) return "?";
      return std::to_string(V_I4(&copy));
  }
}

std::string paramText(ITypeInfo* info, ELEMDESC& e, const std::string& name) {
  const USHORT flags = e.paramdesc.wParamFlags;
  std::string out = (flags & PARAMFLAG_FOUT) ? "in,out" : "in";
  if (flags & PARAMFLAG_FOPT) out += ",opt";
  if ((flags & PARAMFLAG_FHASDEFAULT) && e.paramdesc.pparamdescex)
    out += "=" + literal(e.paramdesc.pparamdescex->varDefaultValue);
  out += " " + typeText(info, e.tdesc);
  if (!name.empty()) out += " " + name;
  return out;
}

const char* accessName(INVOKEKIND kind) {
  switch (kind) {
    case INVOKE_PROPERTYGET: return "propget";
    case INVOKE_PROPERTYPUT: return "propput";
    case INVOKE_PROPERTYPUTREF: return "propputref";
    default: return "func";
  }
}

void printFunctions(ITypeInfo* iface, const std::string& ifaceName) {
  TYPEATTR* attr = nullptr;
  if (FAILED(iface->GetTypeAttr(&attr))) return;
  struct Line {
    SHORT vft;
    std::string text;
  };
  std::vector<Line> lines;
  for (UINT i = 0; i < attr->cFuncs; ++i) {
    FUNCDESC* f = nullptr;
    if (FAILED(iface->GetFuncDesc(i, &f))) continue;
    std::vector<BSTR> names(f->cParams + 1, nullptr);
    UINT got = 0;
    iface->GetNames(f->memid, names.data(), static_cast<UINT>(names.size()), &got);
    char id[16];
    std::snprintf(id, sizeof id, "0x%08X", static_cast<unsigned>(f->memid));
    std::string text = "  " + ifaceName + "." + narrow(names[0]) + " " + id + " " +
                       accessName(f->invkind) + ((f->wFuncFlags & FUNCFLAG_FHIDDEN) ? " hidden" : "") +
                       " (";
    std::string result = "void";
    const bool put = f->invkind == INVOKE_PROPERTYPUT || f->invkind == INVOKE_PROPERTYPUTREF;
    std::string sep;
    for (SHORT k = 0; k < f->cParams; ++k) {
      ELEMDESC& e = f->lprgelemdescParam[k];
      if (e.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) {
        result = typeText(iface, *e.tdesc.lptdesc);
        continue;
      }
      const bool putValue = put && k + 1 == f->cParams;
      const std::string name = putValue || static_cast<UINT>(k + 1) >= got ? "" : narrow(names[k + 1]);
      text += sep + paramText(iface, e, name);
      sep = "; ";
    }
    text += ") -> " + result;
    lines.push_back({f->oVft, text});
    for (BSTR b : names) SysFreeString(b);
    iface->ReleaseFuncDesc(f);
  }
  iface->ReleaseTypeAttr(attr);
  std::stable_sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) { return a.vft < b.vft; });
  for (const auto& l : lines) std::printf("%s\n", l.text.c_str());
}

void printEnum(ITypeInfo* info, TYPEATTR* attr) {
  std::printf("enum %s", nameOf(info).c_str());
  for (UINT i = 0; i < attr->cVars; ++i) {
    VARDESC* v = nullptr;
    if (FAILED(info->GetVarDesc(i, &v))) continue;
    VARIANT n;
    VariantInit(&n);
    VariantChangeType(&n, v->lpvarValue, 0, VT_I4);
    std::printf(" %s=%ld", nameOf(info, v->memid).c_str(), static_cast<long>(V_I4(&n)));
    info->ReleaseVarDesc(v);
  }
  std::printf("\n");
}

void printCoclass(ITypeInfo* info, TYPEATTR* attr) {
  std::string line = "coclass " + nameOf(info) + " " + guidText(attr->guid);
  if (attr->wTypeFlags & TYPEFLAG_FCONTROL) line += " control";
  if (attr->wTypeFlags & TYPEFLAG_FAPPOBJECT) line += " appobject";
  if (attr->wTypeFlags & TYPEFLAG_FPREDECLID) line += " predeclid";
  if (!(attr->wTypeFlags & TYPEFLAG_FCANCREATE)) line += " noncreatable";
  Ref<ITypeInfo> defaultIface;
  std::string defaultText, sourceText;
  for (UINT i = 0; i < attr->cImplTypes; ++i) {
    INT flags = 0;
    HREFTYPE href = 0;
    Ref<ITypeInfo> impl;
    info->GetImplTypeFlags(i, &flags);
    if (FAILED(info->GetRefTypeOfImplType(i, &href)) || FAILED(info->GetRefTypeInfo(href, &impl.p))) continue;
    TYPEATTR* implAttr = nullptr;
    impl->GetTypeAttr(&implAttr);
    const std::string text = nameOf(impl.p) + " " + guidText(implAttr->guid);
    impl->ReleaseTypeAttr(implAttr);
    if ((flags & IMPLTYPEFLAG_FDEFAULT) && (flags & IMPLTYPEFLAG_FSOURCE)) {
      sourceText = text;
    } else if (flags & IMPLTYPEFLAG_FDEFAULT) {
      defaultText = text;
      defaultIface.p = impl.p;
      impl.p = nullptr;
    }
  }
  line += " default=" + defaultText;
  if (!sourceText.empty()) line += " source=" + sourceText;
  std::printf("%s\n", line.c_str());
  if (!defaultIface.p) return;
  // A dual interface is listed through its vtable view.
  Ref<ITypeInfo> vtableView;
  HREFTYPE href = 0;
  ITypeInfo* functions = defaultIface.p;
  if (SUCCEEDED(defaultIface->GetRefTypeOfImplType(static_cast<UINT>(-1), &href)) &&
      SUCCEEDED(defaultIface->GetRefTypeInfo(href, &vtableView.p)))
    functions = vtableView.p;
  printFunctions(functions, nameOf(defaultIface.p));
}

}  // namespace

int main() {
  if (FAILED(CoInitialize(nullptr))) return 2;
  int status = 0;
  {
    Ref<ITypeLib> lib;
    if (FAILED(LoadRegTypeLib(kLibId, 1, 0, 0, &lib.p))) {
      std::fprintf(stderr, "the type library is not registered\n");
      status = 1;
    } else {
      TLIBATTR* la = nullptr;
      lib->GetLibAttr(&la);
      BSTR name = nullptr, doc = nullptr;
      lib->GetDocumentation(-1, &name, &doc, nullptr, nullptr);
      std::printf("library %s %s %u.%u \"%s\"\n", narrow(name).c_str(), guidText(la->guid).c_str(),
                  la->wMajorVerNum, la->wMinorVerNum, narrow(doc).c_str());
      SysFreeString(name);
      SysFreeString(doc);
      lib->ReleaseTLibAttr(la);
      for (TYPEKIND wanted : {TKIND_ENUM, TKIND_COCLASS}) {
        for (UINT i = 0; i < lib->GetTypeInfoCount(); ++i) {
          Ref<ITypeInfo> info;
          if (FAILED(lib->GetTypeInfo(i, &info.p))) continue;
          TYPEATTR* attr = nullptr;
          if (FAILED(info->GetTypeAttr(&attr))) continue;
          if (attr->typekind == wanted)
            wanted == TKIND_ENUM ? printEnum(info.p, attr) : printCoclass(info.p, attr);
          info->ReleaseTypeAttr(attr);
        }
      }
    }
  }
  CoUninitialize();
  return status;
}
