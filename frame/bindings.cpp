// Which classes are built: each component's binding, by class name.
// A component adds its line here when it lands.
#include <string_view>

#include "frame/catalogue.h"

namespace zs {

// Bindings defined beside each component.
const ClassBinding& numbersBinding();
const ClassBinding& mathBinding();
const ClassBinding& linkedListBinding();
const ClassBinding& collectionBinding();
const ClassBinding& enumeratorBinding();
const ClassBinding& registryKeysBinding();
const ClassBinding& registryKeyBinding();
const ClassBinding& registryValuesBinding();
const ClassBinding& registryValueBinding();
const ClassBinding& folderSelectValuesBinding();
const ClassBinding& folderSelectValueBinding();
const ClassBinding& stackBinding();
const ClassBinding& velquorsoftBinding();
const ClassBinding& registryBinding();

const ClassBinding* bindingFor(std::string_view className) {
  struct Entry {
    std::string_view name;
    const ClassBinding& (*binding)();
  };
  static constexpr Entry kBuilt[] = {
      {"ZSNumbers", numbersBinding},
      {"ZSMath", mathBinding},
      {"ZSLinkedList", linkedListBinding},
      {"Collection", collectionBinding},
      {"Enumerator", enumeratorBinding},
      {"ZSRegistryKeys", registryKeysBinding},
      {"ZSRegistryKey", registryKeyBinding},
      {"ZSRegistryValues", registryValuesBinding},
      {"ZSRegistryValue", registryValueBinding},
      {"ZSFolderSelectValues", folderSelectValuesBinding},
      {"ZSFolderSelectValue", folderSelectValueBinding},
      {"ZSStack", stackBinding},
      {"ZSVelquorsoft", velquorsoftBinding},
      {"ZSRegistry", registryBinding},
  };
  for (const auto& e : kBuilt)
    if (e.name == className) return &e.binding();
  return nullptr;
}

}  // namespace zs
