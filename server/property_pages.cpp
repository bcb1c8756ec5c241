// The property pages of each control, in the order a container shows them.
#include "server/control_protocol.h"

namespace zs::server {

// No control names a page yet: the design pages of ZSSplashScreen and
// ZSAboutBox join here, each followed by the container's standard pages.
std::vector<CLSID> propertyPagesOf(const ClassInfo&) { return {}; }

}  // namespace zs::server
