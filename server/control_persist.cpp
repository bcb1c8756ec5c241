// Saving and loading a control with its form: the container's property bag,
// a stream, or a storage (one stream "Contents" inside it). All three run the
// control's own InitProperties / ReadProperties / WriteProperties.
#include <olectl.h>

#include "core/error.h"
#include "core/error_mapping.h"
#include "frame/control_site.h"
#include "frame/saved_properties.h"
#include "server/com_object.h"
#include "server/control_protocol.h"
#include "server/host_property_bag.h"
#include "server/module.h"
#include "server/variant_convert.h"

namespace zs::server {
namespace {

const wchar_t kContents[] = L"Contents";

ComPtr<IStream> memoryStream(std::span<const std::uint8_t> bytes) {
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()))) raise(err::kOutOfMemory);
  ULONG written = 0;
  if (!bytes.empty() &&
      (FAILED(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written)) ||
       written != bytes.size()))
    raise(err::kOutOfMemory);
  const LARGE_INTEGER start{};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  return stream;
}

// Exactly n bytes from the stream; a short stream raises 5.
std::vector<std::uint8_t> readExactly(IStream* stream, std::size_t n) {
  std::vector<std::uint8_t> bytes(n);
  std::size_t got = 0;
  while (got < n) {
    ULONG read = 0;
    const HRESULT hr = stream->Read(bytes.data() + got, static_cast<ULONG>(n - got), &read);
    if (FAILED(hr) || read == 0)
      throw Error(err::kInvalidCall, "The saved properties are damaged: the stream ends early");
    got += read;
  }
  return bytes;
}

// A picture (or any object that saves itself to a stream) as bytes: its class
// id and data, as OleSaveToStream writes them.
std::vector<std::uint8_t> objectBytes(const ObjectPtr& object) {
  VARIANT v;
  VariantInit(&v);
  toVariant(Variant(object), &v, t::Unknown);
  auto unknown = ComPtr<IUnknown>::adopt(V_UNKNOWN(&v));  // takes the VARIANT's reference
  auto persist = unknown.as<IPersistStream>(IID_IPersistStream);
  if (!persist) throw Error(err::kTypeMismatch, "A property holds an object that cannot be saved");
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put())) ||
      FAILED(OleSaveToStream(persist.get(), stream.get())))
    throw Error(err::kTypeMismatch, "A property holds an object that cannot be saved");
  STATSTG stat{};
  stream->Stat(&stat, STATFLAG_NONAME);
  if (stat.cbSize.QuadPart > kSavedPropertiesLimit) raise(err::kOutOfMemory);
  const LARGE_INTEGER start{};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  return readExactly(stream.get(), static_cast<std::size_t>(stat.cbSize.QuadPart));
}

ObjectPtr objectFrom(std::span<const std::uint8_t> bytes) {
  auto stream = memoryStream(bytes);
  ComPtr<IUnknown> object;
  if (FAILED(OleLoadFromStream(stream.get(), IID_IUnknown, reinterpret_cast<void**>(object.put()))))
    throw Error(err::kInvalidCall, "The saved properties are damaged: an object cannot be read");
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_UNKNOWN;
  V_UNKNOWN(&v) = object.get();
  return fromVariant(v).object();
}

}  // namespace

HRESULT ControlProtocol::GetClassID(CLSID* out) {
  if (!out) return E_POINTER;
  *out = guidFrom(cls_.clsid);
  return S_OK;
}

HRESULT ControlProtocol::start(PropertyBag* saved) {
  if (started_) return saved ? E_UNEXPECTED : CO_E_ALREADYINITIALIZED;
  try {
    startControl(*control_, bridge_, saved);
  } catch (...) {
    return owner_.report(currentError());
  }
  started_ = true;
  dirty_ = false;
  return S_OK;
}

HRESULT ControlProtocol::saveTo(PropertyBag& bag, BOOL clearDirty) {
  try {
    control_->WriteProperties(bag);
  } catch (...) {
    return owner_.report(currentError());
  }
  if (clearDirty) dirty_ = false;
  return S_OK;
}

HRESULT ControlProtocol::InitNew() { return start(nullptr); }

HRESULT ControlProtocol::Load(IPropertyBag* bag, IErrorLog* log) {
  if (!bag) return E_POINTER;
  HostPropertyBag saved(bag, log, false);
  return start(&saved);
}

HRESULT ControlProtocol::Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) {
  if (!bag) return E_POINTER;
  HostPropertyBag target(bag, nullptr, saveAll != FALSE);
  const HRESULT hr = saveTo(target, clearDirty);
  return FAILED(target.failure()) ? target.failure() : hr;
}

HRESULT ControlProtocol::loadStream(IStream* stream) {
  if (!stream) return E_POINTER;
  if (started_) return E_UNEXPECTED;
  std::vector<SavedProperty> values;
  try {
    const auto header = readExactly(stream, kSavedPropertiesHeader);
    const auto body = readExactly(stream, savedPropertiesBodyLength(header));
    values = decodeSavedProperties(body, objectFrom);
  } catch (...) {
    return owner_.report(currentError());
  }
  SavedPropertyBag saved(std::move(values));
  return start(&saved);
}

HRESULT ControlProtocol::saveStream(IStream* stream, BOOL clearDirty) {
  if (!stream) return E_POINTER;
  SavedPropertyBag bag;
  HRESULT hr = saveTo(bag, FALSE);
  if (FAILED(hr)) return hr;
  std::vector<std::uint8_t> bytes;
  try {
    bytes = encodeSavedProperties(bag.values(), objectBytes);
  } catch (...) {
    return owner_.report(currentError());
  }
  ULONG written = 0;
  hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
  if (FAILED(hr)) return hr;
  if (written != bytes.size()) return STG_E_MEDIUMFULL;
  if (clearDirty) dirty_ = false;
  return S_OK;
}

HRESULT ControlProtocol::Load(LPSTREAM stream) { return loadStream(stream); }
HRESULT ControlProtocol::Save(LPSTREAM stream, BOOL clearDirty) { return saveStream(stream, clearDirty); }

HRESULT ControlProtocol::GetSizeMax(ULARGE_INTEGER* size) {
  if (!size) return E_POINTER;
  SavedPropertyBag bag;
  HRESULT hr = saveTo(bag, FALSE);
  if (FAILED(hr)) return hr;
  try {
    size->QuadPart = encodeSavedProperties(bag.values(), objectBytes).size();
  } catch (...) {
    return owner_.report(currentError());
  }
  return S_OK;
}

HRESULT ControlProtocol::InitNew(IStorage* storage) {
  if (!storage) return E_POINTER;
  return start(nullptr);
}

HRESULT ControlProtocol::Load(IStorage* storage) {
  if (!storage) return E_POINTER;
  ComPtr<IStream> stream;
  HRESULT hr = storage->OpenStream(kContents, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, stream.put());
  return FAILED(hr) ? hr : loadStream(stream.get());
}

HRESULT ControlProtocol::Save(IStorage* storage, BOOL) {
  if (!storage) return E_POINTER;
  ComPtr<IStream> stream;
  HRESULT hr = storage->CreateStream(kContents, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0,
                                     stream.put());
  return FAILED(hr) ? hr : saveStream(stream.get(), TRUE);
}

}  // namespace zs::server
