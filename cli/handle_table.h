// The objects a host holds for its client, each under one handle. An object
// that comes back while the host holds it gets the handle it already has, so
// the client can see identity; handles are never reused.
#pragma once

#include <cstdint>
#include <unordered_map>

#include "core/object.h"

namespace zs::cli {

using Handle = std::int64_t;

class HandleTable {
 public:
  // The object's handle, a new one if the table does not hold it yet.
  Handle add(const ObjectPtr& object);
  // The object under `handle`; raises 424 (Object required) when none.
  const ObjectPtr& get(Handle handle) const;
  // Drops the host's reference; raises 424 when no object has that handle.
  void release(Handle handle);
  std::size_t size() const { return byHandle_.size(); }

 private:
  std::unordered_map<const Object*, Handle> byObject_;
  std::unordered_map<Handle, ObjectPtr> byHandle_;
  Handle next_ = 1;
};

}  // namespace zs::cli
