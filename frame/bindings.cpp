// Which classes are built: each component's binding, by class name.
// A component adds its line here when it lands.
#include <string_view>

#include "frame/catalogue.h"

namespace zs {

// Bindings defined beside each component.
const ClassBinding& numbersBinding();
const ClassBinding& mathBinding();
const ClassBinding& linkedListBinding();

const ClassBinding* bindingFor(std::string_view className) {
  struct Entry {
    std::string_view name;
    const ClassBinding& (*binding)();
  };
  static constexpr Entry kBuilt[] = {
      {"ZSNumbers", numbersBinding},
      {"ZSMath", mathBinding},
      {"ZSLinkedList", linkedListBinding},
  };
  for (const auto& e : kBuilt)
    if (e.name == className) return &e.binding();
  return nullptr;
}

}  // namespace zs
