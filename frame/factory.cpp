#include "frame/factory.h"

#include <map>
#include <string>

#include "core/error.h"

namespace zs {

ObjectPtr createObject(const ClassInfo& cls) {
  if (!cls.creatable())
    throw Error(err::kClassNotAvailable, "Class " + std::string(cls.name) + " is not creatable");
  if (!cls.built())
    throw Error(err::kClassNotAvailable,
                "Class " + std::string(cls.name) + " is not available in this build");
  if (!cls.binding->create)
    throw Error(err::kClassNotAvailable, "Class " + std::string(cls.name) + " is not creatable");
  return cls.binding->create();
}

ObjectPtr predeclaredInstance(const ClassInfo& cls) {
  const bool application = cls.kind == ClassKind::Global || cls.kind == ClassKind::Collection ||
                           cls.kind == ClassKind::Item;
  if (!application)
    throw Error(err::kClassNotAvailable,
                "Class " + std::string(cls.name) + " has no predeclared instance");
  thread_local std::map<const ClassInfo*, ObjectPtr> instances;
  ObjectPtr& instance = instances[&cls];
  if (!instance) instance = createObject(cls);
  return instance;
}

ObjectPtr createObject(std::string_view key) {
  const ClassInfo* cls = findClass(key);
  if (!cls) throw Error(err::kClassNotAvailable, "No class named " + std::string(key));
  return createObject(*cls);
}

}  // namespace zs
