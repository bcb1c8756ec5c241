// The property pages of each control, in the order a container shows them.
#include <olectl.h>

#include "server/control_protocol.h"
#include "server/module.h"

namespace zs::server {

// The control's own "Design" page first, then the standard pages of OLE
// (CLSID_StockPicturePage and CLSID_StockColorPage, by their mingw names).
std::vector<CLSID> propertyPagesOf(const ClassInfo& cls) {
  const std::string_view name = cls.name;
  if (name == "ZSSplashScreen")
    return {guidFrom(classInfo(ClassId::ppageSplashScreenDesign).clsid), CLSID_CPicturePropPage,
            CLSID_CColorPropPage};
  if (name == "ZSAboutBox")
    return {guidFrom(classInfo(ClassId::ppageAboutBoxDesign).clsid), CLSID_CColorPropPage,
            CLSID_CPicturePropPage};
  return {};
}

}  // namespace zs::server
