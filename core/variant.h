// Variant: the tagged automation value.
#pragma once

#include <variant>

#include "core/value_types.h"

namespace zs {

// The kinds a Variant can hold, in the order of the alternatives below.
enum class Kind : std::uint8_t {
  Empty, Null, Integer, Long, Single, Double, Currency, String, Boolean, Object, Error
};

// The name of a kind as hosts see it ("Empty", "Integer", ...).
std::string_view kindName(Kind kind);

struct NullValue {
  constexpr bool operator==(const NullValue&) const = default;
};

class Variant {
 public:
  Variant() = default;  // Empty
  Variant(Integer v) : value_(v) {}
  Variant(Long v) : value_(v) {}
  Variant(Single v) : value_(v) {}
  Variant(Double v) : value_(v) {}
  Variant(Currency v) : value_(v) {}
  Variant(String v) : value_(std::move(v)) {}
  Variant(StringView v) : value_(String(v)) {}
  Variant(const char16_t* v) : value_(String(v)) {}
  Variant(Boolean v) : value_(v) {}
  Variant(ObjectPtr v) : value_(std::move(v)) {}
  Variant(ErrorCode v) : value_(v) {}
  Variant(NullValue v) : value_(v) {}
  // No implicit conversions from other integer widths or from narrow text.
  Variant(const char*) = delete;
  Variant(long long) = delete;
  Variant(unsigned) = delete;

  static Variant null() { return Variant(NullValue{}); }
  static Variant missing() { return Variant(kMissing); }
  static Variant nothing() { return Variant(ObjectPtr{}); }

  Kind kind() const noexcept { return static_cast<Kind>(value_.index()); }
  bool isEmpty() const noexcept { return kind() == Kind::Empty; }
  bool isNull() const noexcept { return kind() == Kind::Null; }
  bool isMissing() const noexcept { return kind() == Kind::Error && error() == kMissing; }
  bool isNumeric() const noexcept;  // Integer, Long, Single, Double, Currency or Boolean

  // Typed access; raises 13 (Type mismatch) when the Variant holds another kind.
  Integer& integer() { return get<Integer>(); }
  Long& lng() { return get<Long>(); }
  Single& single() { return get<Single>(); }
  Double& dbl() { return get<Double>(); }
  Currency& currency() { return get<Currency>(); }
  String& string() { return get<String>(); }
  Boolean& boolean() { return get<Boolean>(); }
  ObjectPtr& object() { return get<ObjectPtr>(); }
  Integer integer() const { return get<Integer>(); }
  Long lng() const { return get<Long>(); }
  Single single() const { return get<Single>(); }
  Double dbl() const { return get<Double>(); }
  Currency currency() const { return get<Currency>(); }
  const String& string() const { return get<String>(); }
  Boolean boolean() const { return get<Boolean>(); }
  const ObjectPtr& object() const { return get<ObjectPtr>(); }
  ErrorCode error() const { return get<ErrorCode>(); }

  // Identity for objects, value identity otherwise (kind and bits). This is not
  // the equality of the Variant rules: see equals() in variant_ops.h.
  bool sameAs(const Variant& other) const { return value_ == other.value_; }

 private:
  template <class T>
  T& get() {
    if (auto* p = std::get_if<T>(&value_)) return *p;
    throwMismatch();
  }
  template <class T>
  const T& get() const {
    if (auto* p = std::get_if<T>(&value_)) return *p;
    throwMismatch();
  }
  [[noreturn]] static void throwMismatch();

  std::variant<std::monostate, NullValue, Integer, Long, Single, Double, Currency, String,
               Boolean, ObjectPtr, ErrorCode>
      value_;
};

}  // namespace zs
