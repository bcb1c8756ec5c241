#include "branding/dialog_messages.h"

#include <tuple>

#include "branding/about_events.h"

namespace zs::branding {
namespace {

// The signed client coordinates packed in a mouse message's lParam, in twips.
std::pair<int, int> pointOf(std::int64_t lParam) {
  const auto bits = static_cast<std::uint32_t>(lParam);
  const auto x = static_cast<std::int16_t>(bits & 0xFFFF), y = static_cast<std::int16_t>(bits >> 16);
  return {x * kTwipsPerPixel, y * kTwipsPerPixel};
}

bool sameElement(const Window& layout, std::pair<int, int> a, std::pair<int, int> b) {
  return elementAt(layout, a.first, a.second) == elementAt(layout, b.first, b.second);
}

}  // namespace

std::optional<WindowEvent> DialogInput::translate(const Window& layout, int slot, unsigned message,
                                                  std::uint64_t wParam, std::int64_t lParam) {
  WindowEvent e;
  e.slot = slot;
  switch (message) {
    case winmsg::kMouseMove: {
      e.type = WindowEvent::Type::PointerMove;
      std::tie(e.x, e.y) = pointOf(lParam);
      return e;
    }
    case winmsg::kMouseLeave:
      e.type = WindowEvent::Type::PointerMove;
      e.x = e.y = -1;
      return e;
    case winmsg::kLButtonDown:
      pressed_ = pointOf(lParam);
      return std::nullopt;
    case winmsg::kLButtonUp: {
      const auto at = pointOf(lParam);
      const auto from = pressed_;
      pressed_.reset();
      if (!from || !sameElement(layout, *from, at)) return std::nullopt;
      e.type = WindowEvent::Type::Click;
      std::tie(e.x, e.y) = at;
      return e;
    }
    case winmsg::kKeyDown:
      if (wParam != winmsg::kVkReturn && wParam != winmsg::kVkEscape) return std::nullopt;
      e.type = WindowEvent::Type::Key;
      e.key = static_cast<unsigned>(wParam);
      return e;
    case winmsg::kClose: e.type = WindowEvent::Type::CloseBox; return e;
    default: return std::nullopt;
  }
}

}  // namespace zs::branding
