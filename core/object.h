// The object model: every automation object derives from Object. Objects are
// reference counted (ObjectPtr is a shared pointer); a Variant holding an
// object shares it, so identity is preserved wherever it travels.
#pragma once

#include <memory>

#include "core/value_types.h"

namespace zs {

struct ClassInfo;

class Object : public std::enable_shared_from_this<Object> {
 public:
  virtual ~Object() = default;
  Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  // The catalogue entry of the object's class; null for objects that come from
  // outside the library (a host's own object held in a Variant).
  virtual const ClassInfo* classInfo() const = 0;

  // Life cycle. Initialize runs once, right after creation; Terminate runs when
  // the last reference is released. Both default to doing nothing.
  virtual void Initialize() {}
  virtual void Terminate() {}

  // Lets go of every value the object holds (elements, stored Variants),
  // leaving it empty but usable. A host calls this on the objects it handed
  // out when it shuts down, so that reference cycles made through them come
  // apart; an object that holds no values has nothing to do.
  virtual void dropReferences() {}
};

// Runs Terminate before the object's own destructor, so that Terminate still
// sees the most derived class.
template <class T>
class Live final : public T {
 public:
  using T::T;
  ~Live() override {
    try {
      this->Terminate();
    } catch (...) {
      // Terminate runs during release: there is no caller left to report to.
    }
  }
};

// Creates an object of a library class and runs its Initialize. Use this
// rather than constructing components directly, so the life cycle is complete.
template <class T, class... Args>
std::shared_ptr<T> create(Args&&... args) {
  auto object = std::make_shared<Live<T>>(std::forward<Args>(args)...);
  object->Initialize();
  return object;
}

}  // namespace zs
