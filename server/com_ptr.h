// Owning smart pointers for COM interface pointers, BSTRs and registry keys.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string_view>
#include <utility>

#include "core/value_types.h"

namespace zs::server {

// Holds one reference to a COM interface.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller already owns.
  static ComPtr adopt(T* p) {
    ComPtr c;
    c.p_ = p;
    return c;
  }
  // Adds a reference of its own.
  static ComPtr share(T* p) {
    if (p) p->AddRef();
    return adopt(p);
  }
  ComPtr(const ComPtr& o) : p_(o.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ComPtr& operator=(ComPtr o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }
  ~ComPtr() {
    if (p_) p_->Release();
  }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For out-parameters: releases what is held and exposes the slot.
  T** put() {
    *this = ComPtr();
    return &p_;
  }
  // Hands the reference to the caller.
  T* detach() { return std::exchange(p_, nullptr); }

  template <class U>
  ComPtr<U> as(REFIID iid) const {
    ComPtr<U> out;
    if (p_) p_->QueryInterface(iid, reinterpret_cast<void**>(out.put()));
    return out;
  }

 private:
  T* p_ = nullptr;
};

// Holds one BSTR.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(StringView text)
      : b_(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                             static_cast<UINT>(text.size()))) {}
  explicit Bstr(std::string_view utf8) : Bstr(StringView(u16(utf8))) {}
  static Bstr adopt(BSTR b) {
    Bstr out;
    out.b_ = b;
    return out;
  }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  Bstr(Bstr&& o) noexcept : b_(std::exchange(o.b_, nullptr)) {}
  Bstr& operator=(Bstr&& o) noexcept {
    std::swap(b_, o.b_);
    return *this;
  }
  ~Bstr() { SysFreeString(b_); }

  BSTR get() const { return b_; }
  BSTR* put() {
    *this = Bstr();
    return &b_;
  }
  BSTR detach() { return std::exchange(b_, nullptr); }
  String text() const { return toString(b_); }

  // The text of any BSTR; a null BSTR is the empty string.
  static String toString(BSTR b) {
    return b ? String(reinterpret_cast<const char16_t*>(b), SysStringLen(b)) : String();
  }

 private:
  BSTR b_ = nullptr;
};

// Holds one open registry key.
class RegKey {
 public:
  RegKey() = default;
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  RegKey(RegKey&& o) noexcept : k_(std::exchange(o.k_, nullptr)) {}
  ~RegKey() { close(); }
  HKEY get() const { return k_; }
  // For out-parameters: closes what is held and exposes the slot.
  HKEY* put() {
    close();
    return &k_;
  }

 private:
  void close() {
    if (k_) RegCloseKey(std::exchange(k_, nullptr));
  }

  HKEY k_ = nullptr;
};

}  // namespace zs::server
