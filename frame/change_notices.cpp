#include "frame/change_notices.h"

#include <algorithm>

namespace zs {

void ChangeNotices::beginAssignment(DispId property) {
  assigning_ = property;
  held_.clear();
}

std::vector<DispId> ChangeNotices::endAssignment(bool succeeded) {
  std::vector<DispId> out = std::move(held_);
  held_.clear();
  if (!assigning_) return out;
  const DispId property = *assigning_;
  assigning_.reset();
  if (succeeded && std::find(out.begin(), out.end(), property) == out.end()) out.push_back(property);
  return out;
}

std::optional<DispId> ChangeNotices::reported(DispId property) {
  if (!assigning_) return property;
  if (std::find(held_.begin(), held_.end(), property) == held_.end()) held_.push_back(property);
  return std::nullopt;
}

}  // namespace zs
