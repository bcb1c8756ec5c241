// Kernel32Posix's memory and locale calls: the figures from /proc
// (memory_figures.h), the locale items from ICU (icu_locale.h) for the
// locale that the environment or the system's locale file names
// (locale_source.h).
#include <algorithm>
#include <cstring>

#include "platform/posix/icu_locale.h"
#include "platform/posix/kernel32_posix.h"
#include "platform/posix/locale_source.h"
#include "platform/posix/memory_figures.h"

namespace zs::platform::posix {
namespace {

DWORD capped(ULONGLONG bytes) {
  return bytes > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<DWORD>(bytes);
}

// The environment variable of the category an item type belongs to; null
// for the items that describe the locale as a whole (its names).
const char* categoryOf(LCTYPE type) {
  switch (type) {
    case kLocaleSDecimal:
    case kLocaleSThousand:
    case kLocaleSPositiveSign:
    case kLocaleSNegativeSign:
      return "LC_NUMERIC";
    case kLocaleSCurrency:
      return "LC_MONETARY";
    case kLocaleSShortDate:
    case kLocaleSTimeFormat:
      return "LC_TIME";
    default:
      return nullptr;
  }
}

// A locale ICU has no Windows identifier for is answered as the C locale.
std::string known(std::string id) {
  return lcidOfLocale(id) != 0 ? id : std::string(kPosixLocaleId);
}

}  // namespace

EnvironmentReader Kernel32Posix::environment() const {
  return roots_.environment ? roots_.environment : processEnvironment();
}

void Kernel32Posix::GetSystemInfo(SYSTEM_INFO* systemInfo) {
  if (systemInfo) *systemInfo = posix::systemInfo(roots_.proc);
}

std::optional<MEMORYSTATUSEX> Kernel32Posix::memory() const {
  return memoryStatus(roots_.proc, roots_.addressSpaceLimit ? roots_.addressSpaceLimit()
                                                            : addressSpaceLimit());
}

void Kernel32Posix::GlobalMemoryStatus(MEMORYSTATUS* buffer) {
  if (!buffer) return;
  const MEMORYSTATUSEX status = memory().value_or(MEMORYSTATUSEX{});
  buffer->dwLength = sizeof(MEMORYSTATUS);
  buffer->dwMemoryLoad = status.dwMemoryLoad;
  buffer->dwTotalPhys = capped(status.ullTotalPhys);
  buffer->dwAvailPhys = capped(status.ullAvailPhys);
  buffer->dwTotalPageFile = capped(status.ullTotalPageFile);
  buffer->dwAvailPageFile = capped(status.ullAvailPageFile);
  buffer->dwTotalVirtual = capped(status.ullTotalVirtual);
  buffer->dwAvailVirtual = capped(status.ullAvailVirtual);
}

BOOL Kernel32Posix::GlobalMemoryStatusEx(MEMORYSTATUSEX* buffer) {
  if (!buffer || buffer->dwLength != sizeof(MEMORYSTATUSEX)) return 0;
  const auto status = memory();
  if (!status) return 0;
  *buffer = *status;
  return 1;
}

std::string Kernel32Posix::localeFor(LCID locale, LCTYPE type) const {
  switch (locale) {
    case 0:  // LOCALE_NEUTRAL stands for the user's
    case kLocaleUserDefault:
      return known(userLocale(environment(), categoryOf(type)));
    case kLocaleSystemDefault:
      return known(systemLocale(roots_.localeFiles, environment()));
    default:
      return localeOfLcid(locale).value_or(std::string());
  }
}

int Kernel32Posix::GetLocaleInfoA(LCID locale, LCTYPE type, char* data, int size) {
  type &= ~kLocaleNoUserOverride;
  if (size < 0 || (size > 0 && !data)) return 0;
  const std::string id = localeFor(locale, type);
  if (id.empty()) return 0;
  const auto text = localeItem(id, type);
  if (!text) return 0;
  const int needed = static_cast<int>(text->size()) + 1;
  if (size == 0) return needed;
  if (needed > size) return 0;
  std::memcpy(data, text->c_str(), text->size() + 1);
  return needed;
}

LANGID Kernel32Posix::GetSystemDefaultLangID() {
  return static_cast<LANGID>(lcidOfLocale(known(systemLocale(roots_.localeFiles, environment()))) &
                             0xFFFF);
}

}  // namespace zs::platform::posix
