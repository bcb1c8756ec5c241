#include "cli/handle_table.h"

#include "core/error.h"

namespace zs::cli {

Handle HandleTable::add(const ObjectPtr& object) {
  // The table holds a reference, so the address cannot be taken by another
  // object while it is a key here.
  if (auto it = byObject_.find(object.get()); it != byObject_.end()) return it->second;
  const Handle handle = next_++;
  byHandle_.emplace(handle, object);
  try {
    byObject_.emplace(object.get(), handle);
  } catch (...) {
    byHandle_.erase(handle);
    throw;
  }
  return handle;
}

const ObjectPtr& HandleTable::get(Handle handle) const {
  auto it = byHandle_.find(handle);
  if (it == byHandle_.end()) raise(err::kObjectRequired);
  return it->second;
}

void HandleTable::release(Handle handle) {
  auto it = byHandle_.find(handle);
  if (it == byHandle_.end()) raise(err::kObjectRequired);
  // Erase the table's entries before the object may run its Terminate.
  ObjectPtr last = std::move(it->second);
  byObject_.erase(last.get());
  byHandle_.erase(it);
}

}  // namespace zs::cli
