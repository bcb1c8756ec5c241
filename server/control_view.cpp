// The face of a control: while a form is designed (ambient UserMode false) its
// 48x48 design picture on the button-face colour; at run time nothing, as the
// controls are invisible then.
#include <olectl.h>

#include "server/control_protocol.h"
#include "server/module.h"

namespace zs::server {
namespace {

constexpr int kFacePixels = 48;

struct IconHandle {
  HICON icon;
  ~IconHandle() {
    if (icon) DestroyIcon(icon);
  }
};

}  // namespace

bool ControlProtocol::userMode() const {
  if (!site_) return true;
  auto ambient = site_.as<IDispatch>(IID_IDispatch);
  if (!ambient) return true;
  DISPPARAMS none{};
  VARIANT value;
  VariantInit(&value);
  HRESULT hr = ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, LOCALE_USER_DEFAULT,
                               DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
  bool user = true;
  if (SUCCEEDED(hr) && SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BOOL)))
    user = V_BOOL(&value) != VARIANT_FALSE;
  VariantClear(&value);
  return user;
}

void ControlProtocol::viewChanged() {
  if (viewSink_ && (viewAspects_ & DVASPECT_CONTENT)) viewSink_->OnViewChange(DVASPECT_CONTENT, -1);
}

HRESULT ControlProtocol::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc,
                              LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                              ULONG_PTR) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!dc || !bounds) return E_INVALIDARG;
  if (userMode()) return S_OK;
  const RECT area{bounds->left, bounds->top, bounds->right, bounds->bottom};
  FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
  IconHandle face{static_cast<HICON>(LoadImageW(moduleHandle(), MAKEINTRESOURCEW(designIconId(cls_)),
                                                IMAGE_ICON, kFacePixels, kFacePixels, LR_DEFAULTCOLOR))};
  if (!face.icon) return S_OK;  // the colour alone still marks the control's place
  // The picture keeps its size, centred; the container clips it to the bounds.
  const int left = area.left + (area.right - area.left - kFacePixels) / 2;
  const int top = area.top + (area.bottom - area.top - kFacePixels) / 2;
  DrawIconEx(dc, left, top, face.icon, kFacePixels, kFacePixels, 0, nullptr, DI_NORMAL);
  return S_OK;
}

HRESULT ControlProtocol::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return S_FALSE;  // no palette of its own
}

HRESULT ControlProtocol::Freeze(DWORD, LONG, void*, DWORD* cookie) {
  if (cookie) *cookie = 0;
  return E_NOTIMPL;
}

HRESULT ControlProtocol::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
  viewSink_ = ComPtr<IAdviseSink>::share(sink);
  viewAspects_ = aspects;
  viewFlags_ = flags;
  return S_OK;
}

HRESULT ControlProtocol::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
  if (aspects) *aspects = viewAspects_;
  if (flags) *flags = viewFlags_;
  if (sink) *sink = ComPtr<IAdviseSink>(viewSink_).detach();
  return S_OK;
}

HRESULT ControlProtocol::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  *size = extent_;
  return S_OK;
}

}  // namespace zs::server
