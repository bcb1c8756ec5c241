# zs_find_tool(<var> <program>): finds an external program through the list in
# cmake/tools.txt, so that a missing program names the Debian package to install.
# Every CMake file finds its programs this way; the "tools" test checks both.
include_guard(GLOBAL)

set(ZS_TOOLS_LIST ${CMAKE_CURRENT_LIST_DIR}/tools.txt)

function(zs_find_tool var program)
  file(STRINGS ${ZS_TOOLS_LIST} lines REGEX "^[^#]")
  set(package "")
  set(extra_dir "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "[ \t]+" ";" fields "${line}")
    list(GET fields 0 name)
    if(name STREQUAL program)
      list(GET fields 1 package)
      list(LENGTH fields n)
      if(n GREATER 2)
        list(GET fields 2 extra_dir)
      endif()
      break()
    endif()
  endforeach()
  if(NOT package)
    message(FATAL_ERROR "zs_find_tool: '${program}' is not listed in ${ZS_TOOLS_LIST}; "
                        "add it with the Debian package that provides it")
  endif()
  find_program(${var}
    NAMES ${program}
    PATHS ${extra_dir}
    NO_CMAKE_FIND_ROOT_PATH)
  if(NOT ${var})
    message(FATAL_ERROR "'${program}' was not found: install the Debian package ${package} "
                        "(./scripts/install-deps.sh installs every package the build needs)")
  endif()
endfunction()
