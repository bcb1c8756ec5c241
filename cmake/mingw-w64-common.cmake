# What both mingw-w64 toolchains share; the including file sets
# CMAKE_SYSTEM_PROCESSOR and ZS_MINGW_TRIPLE first. The posix thread model is
# used so that the standard library's threading and synchronisation are complete.
set(CMAKE_SYSTEM_NAME Windows)
include(${CMAKE_CURRENT_LIST_DIR}/tools.cmake)
zs_find_tool(CMAKE_C_COMPILER ${ZS_MINGW_TRIPLE}-gcc-posix)
zs_find_tool(CMAKE_CXX_COMPILER ${ZS_MINGW_TRIPLE}-g++-posix)
zs_find_tool(CMAKE_RC_COMPILER ${ZS_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZS_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# GCC 12 reports false "may be used uninitialized" warnings inside std::variant
# and std::optional at -O2; they would fail the -Werror build.
set(CMAKE_CXX_FLAGS_INIT "-Wno-maybe-uninitialized")
