// Which classes are built: a component adds its class here when it lands, and
// defines bindings::<class> beside its code (utils/numbers_binding.cpp). A name
// that is not a catalogue class does not compile.
#pragma once

#include "frame/catalogue.h"

#define ZS_BUILT_CLASSES(X) \
  X(ZSNumbers)              \
  X(ZSMath)                 \
  X(ZSLinkedList)           \
  X(ZSStack)                \
  X(ZSRegistry)             \
  X(ZSRegistryKeys)         \
  X(ZSRegistryKey)          \
  X(ZSRegistryValues)       \
  X(ZSRegistryValue)        \
  X(ZSFolderSelectValues)   \
  X(ZSFolderSelectValue)    \
  X(ZSVelquorsoft)          \
  X(ZSSplashScreen)         \
  X(ZSAboutBox)             \
  X(ZSDiskInfo)             \
  X(ZSWinVersion)           \
  X(ZSSpecialFolders)       \
  X(ZSFileVersion)          \
  X(ZSScreenModes)          \
  X(ZSMemory)               \
  X(ZSLocaleSettings)       \
  X(ZSWindows)              \
  X(ZSPower)                \
  X(ZSFolderSelect)         \
  X(ZSExtractIcon)          \
  X(ZSHelp)                 \
  X(ZSHyperLink)            \
  X(Collection)             \
  X(Enumerator)

namespace zs::bindings {
#define ZS_DECLARE_BINDING(name) extern const ClassBinding name;
ZS_BUILT_CLASSES(ZS_DECLARE_BINDING)
#undef ZS_DECLARE_BINDING
}  // namespace zs::bindings
