// The objects a host holds for its client, each under one handle. An object
// that comes back while the host holds it gets the handle it already has, so
// the client can see identity; handles are never reused.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "core/object.h"

namespace zs::cli {

using Handle = std::int64_t;

class HandleTable {
 public:
  HandleTable() = default;
  HandleTable(const HandleTable&) = delete;
  HandleTable& operator=(const HandleTable&) = delete;
  ~HandleTable() { releaseAll(); }

  // The object's handle, a new one if the table does not hold it yet.
  Handle add(const ObjectPtr& object);
  // The object under `handle`; raises 424 (Object required) when none.
  const ObjectPtr& get(Handle handle) const;
  // Drops the host's reference; raises 424 when no object has that handle.
  void release(Handle handle);
  std::size_t size() const { return byHandle_.size(); }

  // Ends the client's session: every object ever handed out that is still
  // alive (held here, or released by the client but kept by a reference
  // cycle) first drops the values it holds, then the table lets go of its
  // objects. Cycles made by the client therefore live until this point.
  void releaseAll() noexcept;

 private:
  std::unordered_map<const Object*, Handle> byObject_;
  std::unordered_map<Handle, ObjectPtr> byHandle_;
  Handle next_ = 1;
  // Every object handed out, for releaseAll; the dead are pruned whenever it
  // has doubled since the last pruning, so it stays within twice the live.
  static constexpr std::size_t kFirstPrune = 1024;
  std::vector<std::weak_ptr<Object>> issued_;
  std::size_t pruneAt_ = kFirstPrune;
};

}  // namespace zs::cli
