#include "cli/handle_table.h"

#include <algorithm>

#include "core/error.h"

namespace zs::cli {

Handle HandleTable::add(const ObjectPtr& object) {
  // The table holds a reference, so the address cannot be taken by another
  // object while it is a key here.
  if (auto it = byObject_.find(object.get()); it != byObject_.end()) return it->second;
  if (issued_.size() >= pruneAt_) {
    std::erase_if(issued_, [](const std::weak_ptr<Object>& w) { return w.expired(); });
    pruneAt_ = std::max(kFirstPrune, 2 * issued_.size());
  }
  if (issued_.size() == issued_.capacity())
    issued_.reserve(std::max<std::size_t>(64, 2 * issued_.size()));
  const Handle handle = next_;
  byHandle_.emplace(handle, object);
  try {
    byObject_.emplace(object.get(), handle);
  } catch (...) {
    byHandle_.erase(handle);
    throw;
  }
  issued_.emplace_back(object);  // room reserved above: cannot throw
  ++next_;
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

void HandleTable::releaseAll() noexcept {
  // Everything alive is held here until every object has dropped its values,
  // so none goes away half-way through the pass.
  std::vector<ObjectPtr> alive;
  try {
    alive.reserve(issued_.size());
    for (const auto& w : issued_)
      if (auto object = w.lock()) alive.push_back(std::move(object));
  } catch (...) {
    // Out of memory: the held objects are still released below.
  }
  issued_.clear();
  for (const auto& object : alive) {
    try {
      object->dropReferences();
    } catch (...) {
      // The session is over: there is no caller left to report to.
    }
  }
  auto held = std::move(byHandle_);
  byHandle_.clear();
  byObject_.clear();
  held.clear();
  alive.clear();
}

}  // namespace zs::cli
