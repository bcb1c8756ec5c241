#include "frame/keyed_collections.h"

#include "core/error.h"

namespace zs {

const ClassInfo* RegistryKey::classInfo() const { return &zs::classInfo(ClassId::ZSRegistryKey); }
const ClassInfo* RegistryValue::classInfo() const { return &zs::classInfo(ClassId::ZSRegistryValue); }
const ClassInfo* FolderSelectValue::classInfo() const {
  return &zs::classInfo(ClassId::ZSFolderSelectValue);
}
const ClassInfo* RegistryKeys::classInfo() const { return &zs::classInfo(ClassId::ZSRegistryKeys); }
const ClassInfo* RegistryValues::classInfo() const { return &zs::classInfo(ClassId::ZSRegistryValues); }
const ClassInfo* FolderSelectValues::classInfo() const {
  return &zs::classInfo(ClassId::ZSFolderSelectValues);
}

// --- shared behaviour ------------------------------------------------------

void ItemCollection::Initialize() { items_ = create<Collection>(); }
void ItemCollection::Terminate() { items_.reset(); }
void ItemCollection::dropReferences() {
  if (items_) items_->dropReferences();
}

// Objects made without the life cycle (constructed directly) get their
// container at first use instead of failing.
Collection& ItemCollection::items() {
  if (!items_) items_ = create<Collection>();
  return *items_;
}

Long ItemCollection::Count() { return items().Count(); }

void ItemCollection::Remove(const Variant& vntIndexKey) { items().Remove(vntIndexKey); }

std::shared_ptr<Enumerator> ItemCollection::NewEnum() { return items().NewEnum(); }

String ItemCollection::keyAt(std::size_t index) { return items().keyAt(index); }

ObjectPtr ItemCollection::itemAt(const Variant& vntIndexKey) {
  // Only Add fills the private container, so every element is an item object.
  Variant found = items().Item(vntIndexKey);
  if (found.kind() != Kind::Object) throwNotItem();
  return found.object();
}

void ItemCollection::throwNotItem() { raise(err::kTypeMismatch); }

void ItemCollection::append(ObjectPtr item, const String& sKey) {
  items().Add(Variant(std::move(item)), sKey);
}

// --- ZSRegistryKeys --------------------------------------------------------

std::shared_ptr<RegistryKey> RegistryKeys::Add(const String& KeyNames, const String& sKey) {
  auto item = create<RegistryKey>();
  item->KeyNames = KeyNames;
  append(item, sKey);
  return item;
}

std::shared_ptr<RegistryKey> RegistryKeys::Add(String& KeyNames, String& sKey) {
  return Add(static_cast<const String&>(KeyNames), static_cast<const String&>(sKey));
}

std::shared_ptr<RegistryKey> RegistryKeys::Item(const Variant& vntIndexKey) {
  return typedItem<RegistryKey>(vntIndexKey);
}

// --- ZSRegistryValues ------------------------------------------------------

std::shared_ptr<RegistryValue> RegistryValues::Add(const String& ValueName,
                                                   const Variant& ValueData, Long DataType,
                                                   const String& sKey) {
  auto item = create<RegistryValue>();
  item->ValueName = ValueName;
  item->ValueData = ValueData;  // a copy of the caller's value
  item->DataType = DataType;    // stored as given, named constant or not
  append(item, sKey);
  return item;
}

std::shared_ptr<RegistryValue> RegistryValues::Add(String& ValueName, Variant& ValueData,
                                                   Long& DataType, String& sKey) {
  return Add(static_cast<const String&>(ValueName), static_cast<const Variant&>(ValueData),
             DataType, static_cast<const String&>(sKey));
}

std::shared_ptr<RegistryValue> RegistryValues::Item(const Variant& vntIndexKey) {
  return typedItem<RegistryValue>(vntIndexKey);
}

// --- ZSFolderSelectValues --------------------------------------------------

std::shared_ptr<FolderSelectValue> FolderSelectValues::Add(const String& TheUserSelected,
                                                           const String& PhysicalLocation,
                                                           const String& sKey) {
  auto item = create<FolderSelectValue>();
  item->TheUserSelected = TheUserSelected;
  item->PhysicalLocation = PhysicalLocation;
  append(item, sKey);
  return item;
}

std::shared_ptr<FolderSelectValue> FolderSelectValues::Add(String& TheUserSelected,
                                                           String& PhysicalLocation,
                                                           String& sKey) {
  return Add(static_cast<const String&>(TheUserSelected),
             static_cast<const String&>(PhysicalLocation), static_cast<const String&>(sKey));
}

std::shared_ptr<FolderSelectValue> FolderSelectValues::Item(const Variant& vntIndexKey) {
  return typedItem<FolderSelectValue>(vntIndexKey);
}

}  // namespace zs
