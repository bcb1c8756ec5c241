#include "frame/saved_properties.h"

#include <bit>
#include <cstring>

#include "core/ascii.h"
#include "core/error.h"

namespace zs {
namespace {

constexpr std::uint8_t kSignature[4] = {'Z', 'S', 'P', 'B'};
constexpr std::uint16_t kVersion = 1;

[[noreturn]] void damaged(const char* what) {
  throw Error(err::kInvalidCall, std::string("The saved properties are damaged: ") + what);
}

class Writer {
 public:
  template <class T>
  void put(T v) {
    auto u = std::bit_cast<std::make_unsigned_t<decltype(widen(v))>>(widen(v));
    for (std::size_t i = 0; i < sizeof u; ++i) bytes.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
  }
  void text(StringView s) {
    put(static_cast<std::uint32_t>(s.size()));
    for (char16_t c : s) put(static_cast<std::uint16_t>(c));
  }
  void blob(std::span<const std::uint8_t> b) {
    put(static_cast<std::uint32_t>(b.size()));
    bytes.insert(bytes.end(), b.begin(), b.end());
  }
  std::vector<std::uint8_t> bytes;

 private:
  template <class T>
  static auto widen(T v) {
    if constexpr (std::is_same_v<T, float>) return std::bit_cast<std::int32_t>(v);
    else if constexpr (std::is_same_v<T, double>) return std::bit_cast<std::int64_t>(v);
    else return v;
  }
};

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> in) : in_(in) {}
  template <class T>
  T get() {
    std::uint64_t u = 0;
    need(sizeof(T));
    for (std::size_t i = 0; i < sizeof(T); ++i) u |= std::uint64_t{in_[at_ + i]} << (8 * i);
    at_ += sizeof(T);
    using U = std::make_unsigned_t<std::conditional_t<std::is_floating_point_v<T>,
        std::conditional_t<sizeof(T) == 4, std::int32_t, std::int64_t>, T>>;
    return std::bit_cast<T>(static_cast<U>(u));
  }
  String text() {
    const std::uint32_t n = get<std::uint32_t>();
    need(std::size_t{n} * 2);
    String s(n, u'\0');
    for (auto& c : s) c = static_cast<char16_t>(get<std::uint16_t>());
    return s;
  }
  std::span<const std::uint8_t> blob() {
    const std::uint32_t n = get<std::uint32_t>();
    need(n);
    auto b = in_.subspan(at_, n);
    at_ += n;
    return b;
  }
  std::size_t left() const { return in_.size() - at_; }

 private:
  void need(std::size_t n) const {
    if (n > left()) damaged("a record is cut short");
  }
  std::span<const std::uint8_t> in_;
  std::size_t at_ = 0;
};

void writeValue(Writer& w, const Variant& v, const ObjectWriter& writeObject) {
  w.put(static_cast<std::uint8_t>(v.kind()));
  switch (v.kind()) {
    case Kind::Empty:
    case Kind::Null: break;
    case Kind::Integer: w.put(v.integer()); break;
    case Kind::Long: w.put(v.lng()); break;
    case Kind::Single: w.put(v.single()); break;
    case Kind::Double: w.put(v.dbl()); break;
    case Kind::Currency: w.put(v.currency().scaled); break;
    case Kind::String: w.text(v.string()); break;
    case Kind::Boolean: w.put(static_cast<std::uint8_t>(v.boolean() ? 1 : 0)); break;
    case Kind::Error: w.put(v.error().scode); break;
    case Kind::Object: {
      if (!v.object()) {
        w.blob({});
        break;
      }
      if (!writeObject) raise(err::kTypeMismatch);
      const auto bytes = writeObject(v.object());
      if (bytes.empty()) raise(err::kTypeMismatch);
      w.blob(bytes);
      break;
    }
  }
}

Variant readValue(Reader& r, const ObjectReader& readObject) {
  switch (static_cast<Kind>(r.get<std::uint8_t>())) {
    case Kind::Empty: return Variant();
    case Kind::Null: return Variant::null();
    case Kind::Integer: return Variant(r.get<Integer>());
    case Kind::Long: return Variant(r.get<Long>());
    case Kind::Single: return Variant(r.get<Single>());
    case Kind::Double: return Variant(r.get<Double>());
    case Kind::Currency: return Variant(Currency::fromScaled(r.get<std::int64_t>()));
    case Kind::String: return Variant(r.text());
    case Kind::Boolean: return Variant(Boolean{r.get<std::uint8_t>() != 0});
    case Kind::Error: return Variant(ErrorCode{r.get<std::int32_t>()});
    case Kind::Object: {
      const auto bytes = r.blob();
      if (bytes.empty()) return Variant::nothing();
      if (!readObject) damaged("it holds an object that cannot be read here");
      return Variant(readObject(bytes));
    }
  }
  damaged("a value has an unknown kind");
}

}  // namespace

std::vector<SavedProperty>::iterator SavedPropertyBag::find(StringView name) {
  for (auto it = values_.begin(); it != values_.end(); ++it)
    if (sameName(it->name, name)) return it;
  return values_.end();
}

Variant SavedPropertyBag::ReadProperty(StringView name, const Variant& defaultValue) {
  auto it = find(name);
  return it == values_.end() ? defaultValue : it->value;
}

void SavedPropertyBag::WriteProperty(StringView name, const Variant& value,
                                     const Variant& defaultValue) {
  auto it = find(name);
  if (!keepDefaults_ && equalsDefault(value, defaultValue)) {
    if (it != values_.end()) values_.erase(it);
  } else if (it != values_.end()) {
    it->value = value;
  } else {
    values_.push_back({String(name), value});
  }
}

std::vector<std::uint8_t> encodeSavedProperties(std::span<const SavedProperty> values,
                                                const ObjectWriter& writeObject) {
  Writer body;
  body.put(static_cast<std::uint32_t>(values.size()));
  for (const auto& p : values) {
    body.text(p.name);
    writeValue(body, p.value, writeObject);
  }
  if (body.bytes.size() > kSavedPropertiesLimit)
    throw Error(err::kOutOfMemory, "The saved properties are larger than 16 MB");
  Writer out;
  out.bytes.assign(std::begin(kSignature), std::end(kSignature));
  out.put(kVersion);
  out.put(static_cast<std::uint32_t>(body.bytes.size()));
  out.bytes.insert(out.bytes.end(), body.bytes.begin(), body.bytes.end());
  return out.bytes;
}

std::size_t savedPropertiesBodyLength(std::span<const std::uint8_t> header) {
  if (header.size() < kSavedPropertiesHeader ||
      std::memcmp(header.data(), kSignature, sizeof kSignature) != 0)
    damaged("they were not written by this library");
  Reader r(header.subspan(sizeof kSignature));
  if (r.get<std::uint16_t>() != kVersion) damaged("they were written in an unknown format version");
  const std::uint32_t length = r.get<std::uint32_t>();
  if (length > kSavedPropertiesLimit) damaged("they claim to be larger than 16 MB");
  return length;
}

std::vector<SavedProperty> decodeSavedProperties(std::span<const std::uint8_t> body,
                                                 const ObjectReader& readObject) {
  Reader r(body);
  const std::uint32_t count = r.get<std::uint32_t>();
  // Every record takes at least five bytes: a name length and a kind.
  if (count > r.left() / 5) damaged("the record count exceeds the data");
  std::vector<SavedProperty> values;
  values.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    String name = r.text();
    Variant value = readValue(r, readObject);
    values.push_back({std::move(name), std::move(value)});
  }
  if (r.left() != 0) damaged("bytes are left over after the last record");
  return values;
}

}  // namespace zs
