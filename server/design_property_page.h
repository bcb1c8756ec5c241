// The "Design" property pages of ZSSplashScreen and ZSAboutBox: IPropertyPage2
// objects whose dialog (labels, text boxes, the style drop-down list with
// edit, Clear) is built from the control list of the branding design pages'
// logic. The selection is reached late-bound through IDispatch, so the about
// page works with any object that has the properties by name.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <vector>

#include "frame/catalogue.h"

namespace zs::server {

// The catalogue's property pages that this server creates.
std::vector<const ClassInfo*> propertyPageClasses();
const ClassInfo* propertyPageClass(REFCLSID clsid);

// A new page of class `cls` (one of propertyPageClasses()).
HRESULT createPropertyPage(const ClassInfo& cls, REFIID iid, void** out);

}  // namespace zs::server
