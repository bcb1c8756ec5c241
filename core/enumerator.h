// The enumerator that a collection's NewEnum hands out (dispatch id -4).
#pragma once

#include <cstddef>
#include <vector>

#include "core/class_info.h"
#include "core/variant.h"

namespace zs {

class Enumerator : public Object {
 public:
  // The next values in position order: at most `count`, fewer at the end.
  virtual std::vector<Variant> Next(std::size_t count) = 0;
  // Skips up to `count` values; false when fewer were left.
  virtual bool Skip(std::size_t count) = 0;
  // Starts again at the first position.
  virtual void Reset() = 0;
  // A new enumerator at the same position over the same elements.
  virtual std::shared_ptr<Enumerator> Clone() = 0;

  const ClassInfo* classInfo() const override;
};

}  // namespace zs
