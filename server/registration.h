// Self-registration: the class, ProgID and type-library entries of every
// creatable class of the server, and their removal.
#pragma once

#include <windows.h>

namespace zs::server {

HRESULT registerServer();
HRESULT unregisterServer();

}  // namespace zs::server
