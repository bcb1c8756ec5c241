#include "server/design_property_page.h"

#include <memory>
#include <new>
#include <string>

#include "branding/about_design_page.h"
#include "branding/splash_design_page.h"
#include "core/error.h"
#include "core/error_mapping.h"
#include "server/com_ptr.h"
#include "server/module.h"
#include "server/ref_count.h"
#include "server/variant_convert.h"

namespace zs::server {
namespace {

constexpr int kTextId = 1000;   // text box i: kTextId + i, its label kLabelId + i
constexpr int kLabelId = 1100;
constexpr int kStyleId = 1200;
constexpr int kStyleLabelId = 1201;
constexpr int kClearId = 1202;
constexpr int kRow = 24, kLabelWidth = 120, kBoxWidth = 220, kMargin = 8;

branding::PageDesign designOf(const ClassInfo& cls) {
  return cls.name == std::string_view("ppageAboutBoxDesign") ? branding::aboutDesign()
                                                             : branding::splashDesign();
}

// A selected object reached by property name through its IDispatch.
class DispatchControl final : public branding::PageControl {
 public:
  explicit DispatchControl(ComPtr<IDispatch> object) : object_(std::move(object)) {}
  IDispatch* dispatch() const { return object_.get(); }

  Variant get(std::string_view property) override {
    DISPPARAMS none{};
    return call(property, DISPATCH_PROPERTYGET, none);
  }

  void let(std::string_view property, Variant value) override {
    VARIANT arg;
    VariantInit(&arg);
    toVariant(value, &arg);
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&arg, &named, 1, 1};
    try {
      call(property, DISPATCH_PROPERTYPUT, params);
    } catch (...) {
      VariantClear(&arg);
      throw;
    }
    VariantClear(&arg);
  }

 private:
  Variant call(std::string_view property, WORD flags, DISPPARAMS& params) {
    Bstr name(property);
    LPOLESTR names[] = {name.get()};
    DISPID id = 0;
    if (FAILED(object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
      throw Error(err::kNotSupported, "The selected object has no property " + std::string(property));
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO info{};
    const HRESULT hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                       flags == DISPATCH_PROPERTYGET ? &result : nullptr, &info, nullptr);
    const Bstr description = Bstr::adopt(info.bstrDescription);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrHelpFile);
    if (FAILED(hr)) {
      VariantClear(&result);
      const std::string text = description.get() ? u8(description.text())
                                                 : "The property " + std::string(property) + " refused the value";
      const int number = info.scode ? HRESULT_CODE(info.scode) : info.wCode ? info.wCode : err::kInvalidCall;
      throw Error(number, text);
    }
    Variant value = fromVariant(result);
    VariantClear(&result);
    return value;
  }

  ComPtr<IDispatch> object_;
};

std::wstring wideOf(const std::string& utf8) {
  const String text = u16(utf8);
  return std::wstring(text.begin(), text.end());
}

std::wstring windowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

class DesignPropertyPage final : public IPropertyPage2, private branding::PageSite {
 public:
  explicit DesignPropertyPage(const ClassInfo& cls) : design_(designOf(cls)), logic_(design_, *this) {
    objectCreated();
  }
  ~DesignPropertyPage() {
    destroyWindow();
    objectDestroyed();
  }
  DesignPropertyPage(const DesignPropertyPage&) = delete;
  DesignPropertyPage& operator=(const DesignPropertyPage&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPropertyPage || iid == IID_IPropertyPage2) {
      *out = static_cast<IPropertyPage2*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return refs_.add(); }
  ULONG STDMETHODCALLTYPE Release() override { return refs_.release(this); }

  HRESULT STDMETHODCALLTYPE SetPageSite(IPropertyPageSite* site) override {
    if (site && pageSite_) return E_UNEXPECTED;
    pageSite_ = ComPtr<IPropertyPageSite>::share(site);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Activate(HWND parent, LPCRECT rect, BOOL) override {
    if (!rect) return E_POINTER;
    if (window_) return E_UNEXPECTED;
    if (!createWindow(parent, *rect)) return E_FAIL;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Deactivate() override {
    if (!window_) return E_UNEXPECTED;
    destroyWindow();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetPageInfo(PROPPAGEINFO* info) override {
    if (!info) return E_POINTER;
    static constexpr wchar_t kTitle[] = L"Design";
    auto* title = static_cast<LPOLESTR>(CoTaskMemAlloc(sizeof kTitle));
    if (!title) return E_OUTOFMEMORY;
    std::copy(std::begin(kTitle), std::end(kTitle), title);
    info->cb = sizeof *info;
    info->pszTitle = title;
    info->size = pageSize();
    info->pszDocString = nullptr;
    info->pszHelpFile = nullptr;
    info->dwHelpContext = 0;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE SetObjects(ULONG count, IUnknown** objects) override {
    if (count && !objects) return E_POINTER;
    std::vector<DispatchControl> selected;
    for (ULONG i = 0; i < count; ++i) {
      auto dispatch = objects[i] ? ComPtr<IUnknown>::share(objects[i]).as<IDispatch>(IID_IDispatch)
                                 : ComPtr<IDispatch>();
      if (!dispatch) return E_NOINTERFACE;
      selected.emplace_back(std::move(dispatch));
    }
    selected_ = std::move(selected);
    if (selected_.empty()) return S_OK;
    try {
      loading_ = true;
      logic_.selectionChanged();
      loading_ = false;
    } catch (...) {
      loading_ = false;
      return static_cast<HRESULT>(currentError().hresult());
    }
    dirty_ = false;
    fill();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Show(UINT command) override {
    if (!window_) return E_UNEXPECTED;
    ShowWindow(window_, static_cast<int>(command));
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Move(LPCRECT rect) override {
    if (!rect) return E_POINTER;
    if (!window_) return E_UNEXPECTED;
    MoveWindow(window_, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE IsPageDirty() override { return dirty_ ? S_OK : S_FALSE; }

  HRESULT STDMETHODCALLTYPE Apply() override {
    if (!dirty_) return S_OK;
    if (selected_.empty()) return E_UNEXPECTED;
    try {
      logic_.applyChanges();
    } catch (...) {
      return static_cast<HRESULT>(currentError().hresult());
    }
    dirty_ = false;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Help(LPCOLESTR) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* msg) override {
    if (!msg) return E_POINTER;
    return window_ && IsDialogMessageW(window_, msg) ? S_OK : S_FALSE;
  }

  // Focus on the box of the property `id` of the first selected object.
  HRESULT STDMETHODCALLTYPE EditProperty(DISPID id) override {
    if (!window_ || selected_.empty()) return E_NOTIMPL;
    for (std::size_t i = 0; i <= design_.texts.size(); ++i) {
      const std::string& property = i < design_.texts.size() ? design_.texts[i].property : design_.styleProperty;
      if (dispidOf(property) != id) continue;
      SetFocus(GetDlgItem(window_, i < design_.texts.size() ? kTextId + static_cast<int>(i) : kStyleId));
      return S_OK;
    }
    return E_INVALIDARG;
  }

 private:
  // PageSite
  std::size_t selectedCount() override { return selected_.size(); }
  branding::PageControl& selected(std::size_t index) override { return selected_.at(index); }
  void setChanged(bool changed) override {
    if (!changed || loading_ || filling_) return;
    dirty_ = true;
    if (pageSite_) pageSite_->OnStatusChange(PROPPAGESTATUS_DIRTY);
  }

  DISPID dispidOf(const std::string& property) {
    Bstr name{std::string_view(property)};
    LPOLESTR names[] = {name.get()};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT hr = selected_.front().dispatch()->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return SUCCEEDED(hr) ? id : DISPID_UNKNOWN;
  }

  SIZE pageSize() const {
    const int rows = static_cast<int>(design_.texts.size()) + 2;
    return {kMargin * 3 + kLabelWidth + kBoxWidth, kMargin * 2 + rows * kRow};
  }

  bool createWindow(HWND parent, const RECT& rect) {
    // An empty child dialog; its controls are added below.
    struct alignas(DWORD) Template {
      DLGTEMPLATE head;
      WORD menu, windowClass, title;
    } tpl{};
    tpl.head.style = WS_CHILD | DS_CONTROL | WS_CLIPSIBLINGS;
    tpl.head.dwExtendedStyle = WS_EX_CONTROLPARENT;
    window_ = CreateDialogIndirectParamW(moduleHandle(), &tpl.head, parent, dialogProc,
                                         reinterpret_cast<LPARAM>(this));
    if (!window_) return false;
    MoveWindow(window_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    auto add = [&](const wchar_t* cls, const std::wstring& text, DWORD style, DWORD ex, int id, int x, int y,
                   int w, int h) {
      HWND child = CreateWindowExW(ex, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), moduleHandle(), nullptr);
      if (child) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
      return child;
    };
    const int boxX = kMargin * 2 + kLabelWidth;
    int y = kMargin;
    for (std::size_t i = 0; i <= design_.texts.size(); ++i) {
      if (i == design_.styleLoadPosition) {
        add(L"STATIC", wideOf(design_.styleProperty) + L":", 0, 0, kStyleLabelId, kMargin, y + 3, kLabelWidth, 18);
        HWND style = add(L"COMBOBOX", L"", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0, kStyleId,
                         boxX, y, kBoxWidth, 200);
        for (const auto& item : design_.styleItems)
          SendMessageW(style, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideOf(item).c_str()));
        y += kRow;
      }
      if (i == design_.texts.size()) break;
      const int n = static_cast<int>(i);
      add(L"STATIC", wideOf(design_.texts[i].property) + L":", 0, 0, kLabelId + n, kMargin, y + 3, kLabelWidth, 18);
      add(L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, kTextId + n, boxX, y, kBoxWidth, 20);
      y += kRow;
    }
    add(L"BUTTON", L"Clear", BS_PUSHBUTTON | WS_TABSTOP, 0, kClearId, boxX + kBoxWidth - 80, y, 80, 22);
    fill();
    return true;
  }

  void destroyWindow() {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
  }

  // The boxes show what the logic holds.
  void fill() {
    if (!window_) return;
    filling_ = true;
    for (std::size_t i = 0; i < design_.texts.size(); ++i) {
      const String& text = logic_.text(design_.texts[i].box);
      SetDlgItemTextW(window_, kTextId + static_cast<int>(i), std::wstring(text.begin(), text.end()).c_str());
    }
    SendDlgItemMessageW(window_, kStyleId, CB_SETCURSEL, static_cast<WPARAM>(logic_.styleIndex()), 0);
    filling_ = false;
  }

  void command(int id, int code, HWND control) {
    if (filling_ || selected_.empty()) return;
    try {
      if (id >= kTextId && id < kTextId + static_cast<int>(design_.texts.size()) && code == EN_CHANGE) {
        const std::wstring text = windowText(control);
        logic_.editText(design_.texts[static_cast<std::size_t>(id - kTextId)].box,
                        String(text.begin(), text.end()));
      } else if (id == kStyleId && code == CBN_SELCHANGE) {
        logic_.pickStyle(static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0)));
      } else if (id == kStyleId && code == CBN_EDITCHANGE) {
        const std::wstring text = windowText(control);
        logic_.typeStyle(u8(String(text.begin(), text.end())));
      } else if (id == kClearId && code == BN_CLICKED) {
        logic_.clear();
      }
    } catch (...) {
      // A refused value stays in its box; Apply reports it.
    }
  }

  static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrW(window, GWLP_USERDATA, lp);
      return TRUE;
    }
    auto* page = reinterpret_cast<DesignPropertyPage*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_COMMAND && page) {
      page->command(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      return TRUE;
    }
    return FALSE;
  }

  RefCount<DesignPropertyPage> refs_{1};
  branding::PageDesign design_;
  branding::DesignPage logic_;
  ComPtr<IPropertyPageSite> pageSite_;
  std::vector<DispatchControl> selected_;
  HWND window_ = nullptr;
  bool dirty_ = false, loading_ = false, filling_ = false;
};

}  // namespace

std::vector<const ClassInfo*> propertyPageClasses() {
  return {&classInfo(ClassId::ppageAboutBoxDesign), &classInfo(ClassId::ppageSplashScreenDesign)};
}

const ClassInfo* propertyPageClass(REFCLSID clsid) {
  for (const ClassInfo* cls : propertyPageClasses())
    if (clsid == guidFrom(cls->clsid)) return cls;
  return nullptr;
}

HRESULT createPropertyPage(const ClassInfo& cls, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  DesignPropertyPage* raw = nullptr;
  try {
    raw = std::make_unique<DesignPropertyPage>(cls).release();  // owned by its reference count
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  const HRESULT hr = raw->QueryInterface(iid, out);
  raw->Release();
  return hr;
}

}  // namespace zs::server
