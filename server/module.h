// Module-wide state of the server: its own file, the counts that decide when
// the host may unload it, and the embedded type library.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

#include "server/com_ptr.h"

namespace zs::server {

HMODULE moduleHandle();
std::wstring modulePath();  // the full path of this DLL

// Live COM objects and class-factory locks; the module may unload when both are 0.
void objectCreated();
void objectDestroyed();
void lockServer(bool lock);
bool canUnload();

// The type library embedded as resource TYPELIB 1, loaded on first use. Null
// when it cannot be loaded. releaseTypeLibrary drops the cached reference (when
// the host is about to unload the module).
ComPtr<ITypeLib> typeLibrary();
void releaseTypeLibrary();

// The type information of the interface or class with this GUID (registry
// form, no braces), or null.
ComPtr<ITypeInfo> typeInfoOf(std::string_view guid);

GUID guidFrom(std::string_view text);  // "8CB5...-..." without braces
std::wstring guidText(std::string_view text);  // "{8CB5...}"

}  // namespace zs::server
