// The collection classes that hand lists of results to hosts, and their item
// classes: ZSRegistryKeys of ZSRegistryKey, ZSRegistryValues of
// ZSRegistryValue, ZSFolderSelectValues of ZSFolderSelectValue.
//
// Each collection is a typed face over one private Collection, created at
// Initialize and released at Terminate: Item, Count, Remove and NewEnum pass
// through to it unchanged (so its index rules and errors apply), and Add
// creates a new item, fills its fields and appends it, under `sKey` when that
// is not empty.
#pragma once

#include <memory>

#include "frame/catalogue.h"
#include "core/collection.h"
#include "core/enumerator.h"
#include "core/variant.h"

namespace zs {

// Item classes: public fields only.
class RegistryKey : public Object {
 public:
  String KeyNames;
  const ClassInfo* classInfo() const override;
};

class RegistryValue : public Object {
 public:
  String ValueName;
  Variant ValueData;
  Long DataType = 0;  // a ZSRegistryDataTypeConstants value (registry.h), stored as given
  const ClassInfo* classInfo() const override;
  void dropReferences() override { ValueData = Variant(); }
};

class FolderSelectValue : public Object {
 public:
  String TheUserSelected;
  String PhysicalLocation;
  const ClassInfo* classInfo() const override;
};

// What the three collection classes share.
class ItemCollection : public Object {
 public:
  Long Count();
  void Remove(const Variant& vntIndexKey);
  std::shared_ptr<Enumerator> NewEnum();
  // The key of the item at a 0-based position (Collection::keyAt).
  String keyAt(std::size_t index);

  void Initialize() override;
  void Terminate() override;
  void dropReferences() override;

 protected:
  // The stored item object at a position or under a key.
  ObjectPtr itemAt(const Variant& vntIndexKey);
  // Appends a new item, under `sKey` when it is not empty. On failure (a key
  // in use) nothing is added.
  void append(ObjectPtr item, const String& sKey);
  [[noreturn]] static void throwNotItem();

  template <class T>
  std::shared_ptr<T> typedItem(const Variant& vntIndexKey) {
    auto item = std::dynamic_pointer_cast<T>(itemAt(vntIndexKey));
    if (!item) throwNotItem();
    return item;
  }

 private:
  Collection& items();
  std::shared_ptr<Collection> items_;
};

class RegistryKeys : public ItemCollection {
 public:
  std::shared_ptr<RegistryKey> Add(String& KeyNames, String& sKey);
  std::shared_ptr<RegistryKey> Add(const String& KeyNames, const String& sKey = {});
  std::shared_ptr<RegistryKey> Item(const Variant& vntIndexKey);
  const ClassInfo* classInfo() const override;
};

class RegistryValues : public ItemCollection {
 public:
  std::shared_ptr<RegistryValue> Add(String& ValueName, Variant& ValueData, Long& DataType,
                                     String& sKey);
  std::shared_ptr<RegistryValue> Add(const String& ValueName, const Variant& ValueData,
                                     Long DataType, const String& sKey = {});
  std::shared_ptr<RegistryValue> Item(const Variant& vntIndexKey);
  const ClassInfo* classInfo() const override;
};

class FolderSelectValues : public ItemCollection {
 public:
  std::shared_ptr<FolderSelectValue> Add(String& TheUserSelected, String& PhysicalLocation,
                                         String& sKey);
  std::shared_ptr<FolderSelectValue> Add(const String& TheUserSelected,
                                         const String& PhysicalLocation,
                                         const String& sKey = {});
  std::shared_ptr<FolderSelectValue> Item(const Variant& vntIndexKey);
  const ClassInfo* classInfo() const override;
};

}  // namespace zs
