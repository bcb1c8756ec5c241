# Helpers of the packaging tests (cmake -P scripts).

# run(OUT var COMMAND cmd args... [ENV NAME=value...]): runs a command without a
# shell, fails the test on a non-zero status; standard output goes to var.
function(run)
  cmake_parse_arguments(R "" "OUT" "COMMAND;ENV" ${ARGN})
  set(command ${R_COMMAND})
  if(R_ENV)
    set(command ${CMAKE_COMMAND} -E env ${R_ENV} ${R_COMMAND})
  endif()
  execute_process(COMMAND ${command}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    list(JOIN R_COMMAND " " shown)
    message(FATAL_ERROR "${shown}: status ${status}\n${out}\n${err}")
  endif()
  if(R_OUT)
    set(${R_OUT} "${out}" PARENT_SCOPE)
  endif()
endfunction()

# expect_match(text regex what): fails unless text matches.
function(expect_match text regex what)
  if(NOT text MATCHES "${regex}")
    message(FATAL_ERROR "${what} does not match ${regex}:\n${text}")
  endif()
endfunction()

# expect_tree(root PRESENT globs... ABSENT paths...): each PRESENT glob matches
# at least one file below root; no ABSENT path exists, and no file in any
# folder below root matches an ABSENT glob.
function(expect_tree root)
  cmake_parse_arguments(T "" "" "PRESENT;ABSENT" ${ARGN})
  foreach(pattern IN LISTS T_PRESENT)
    file(GLOB found LIST_DIRECTORIES true ${root}/${pattern})
    if(NOT found)
      message(FATAL_ERROR "Missing below ${root}: ${pattern}")
    endif()
  endforeach()
  foreach(pattern IN LISTS T_ABSENT)
    if(pattern MATCHES "[*?]")
      file(GLOB_RECURSE found LIST_DIRECTORIES false ${root}/${pattern})
    elseif(EXISTS ${root}/${pattern})
      set(found ${root}/${pattern})
    else()
      set(found)
    endif()
    if(found)
      message(FATAL_ERROR "Should not be installed: ${found}")
    endif()
  endforeach()
endfunction()

# expect_pc_paths(pc_dir): zavrin.pc in pc_dir names an include folder that
# holds the headers and a library folder that holds the library.
function(expect_pc_paths pc_dir)
  foreach(variable_file includedir=utils/numbers.h libdir=libzavrin.a)
    string(REPLACE "=" ";" variable_file "${variable_file}")
    list(GET variable_file 0 variable)
    list(GET variable_file 1 file)
    run(COMMAND ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${pc_dir}
                pkg-config --variable=${variable} zavrin OUT dir)
    string(STRIP "${dir}" dir)
    if(NOT EXISTS ${dir}/${file})
      message(FATAL_ERROR "zavrin.pc: ${variable} ${dir} does not hold ${file}")
    endif()
  endforeach()
endfunction()

# What every installation holds, relative to its prefix, and what it must not.
set(ZS_INSTALLED
  bin/zavrin
  include/zavrin/core/error.h
  include/zavrin/frame/factory.h
  include/zavrin/utils/numbers.h
  include/zavrin/registry/registry.h
  include/zavrin/platform/advapi32.h
  include/zavrin/platform/posix/*.h
  lib*/libzavrin.a
  lib*/cmake/ZavrinStudio/ZavrinStudioConfig.cmake
  lib*/cmake/ZavrinStudio/ZavrinStudioConfigVersion.cmake
  lib*/cmake/ZavrinStudio/ZavrinStudioTargets.cmake
  lib*/pkgconfig/zavrin.pc
  share/man/man1/zavrin.1.gz
  share/bash-completion/completions/zavrin
  share/doc/zavrin/README.md
  share/doc/zavrin/docs/automation-host.md)
set(ZS_NOT_INSTALLED
  include/zavrin/*_test.h include/zavrin/*_testing.h include/zavrin/*.cpp
  include/zavrin/platform/testing include/zavrin/platform/tests
  include/zavrin/platform/win32 include/zavrin/cli)
