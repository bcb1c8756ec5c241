// Member table entries of the branding controls' properties: text, colour
// and picture properties, each a get and a let (or set) under one id.
#pragma once

#include <string_view>
#include <vector>

#include "frame/bindings.h"

namespace zs::branding {

template <class C, String (C::*Get)() const, void (C::*Let)(String)>
void textProperty(std::vector<Member>& m, std::string_view name, int id) {
  m.push_back({name, propertyId(id), MemberKind::Get, {}, t::String,
               [](Object& o, std::span<Variant>) { return Variant((static_cast<C&>(o).*Get)()); }});
  m.push_back({name, propertyId(id), MemberKind::Let, {in("RHS", t::String)}, t::Void,
               [](Object& o, std::span<Variant> a) {
                 (static_cast<C&>(o).*Let)(std::move(a[0].string()));
                 return Variant();
               }});
}

template <class C, OleColor (C::*Get)() const, void (C::*Let)(OleColor)>
void colorProperty(std::vector<Member>& m, std::string_view name, int id) {
  m.push_back({name, propertyId(id), MemberKind::Get, {}, t::Color, [](Object& o, std::span<Variant>) {
                 return Variant(static_cast<Long>((static_cast<C&>(o).*Get)()));
               }});
  m.push_back({name, propertyId(id), MemberKind::Let, {in("RHS", t::Color)}, t::Void,
               [](Object& o, std::span<Variant> a) {
                 (static_cast<C&>(o).*Let)(static_cast<OleColor>(a[0].lng()));
                 return Variant();
               }});
}

template <class C, ObjectPtr (C::*Get)() const, void (C::*Set)(ObjectPtr)>
void pictureProperty(std::vector<Member>& m, std::string_view name, int id) {
  m.push_back({name, propertyId(id), MemberKind::Get, {}, t::Picture,
               [](Object& o, std::span<Variant>) { return Variant((static_cast<C&>(o).*Get)()); }});
  m.push_back({name, propertyId(id), MemberKind::Set, {in("RHS", t::Picture)}, t::Void,
               [](Object& o, std::span<Variant> a) {
                 (static_cast<C&>(o).*Set)(a[0].object());
                 return Variant();
               }});
}

}  // namespace zs::branding
