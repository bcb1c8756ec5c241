# Builds the Debian package with CPack, checks its control fields, unpacks it
# with dpkg -x and runs the unpacked command.
# -DBUILD_DIR= -DWORK_DIR= -DVERSION= -DCPACK=
include(${CMAKE_CURRENT_LIST_DIR}/checks.cmake)

file(REMOVE_RECURSE ${WORK_DIR})
run(COMMAND ${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK_DIR}/out)
file(GLOB debs ${WORK_DIR}/out/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "cpack made ${count} .deb files: ${debs}")
endif()

run(COMMAND dpkg-deb --field ${debs} Package Version Architecture Depends OUT fields)
expect_match("${fields}" "Package: zavrin\n" "the package name")
expect_match("${fields}" "Version: ${VERSION}\n" "the package version")

set(root ${WORK_DIR}/root)
run(COMMAND dpkg -x ${debs} ${root})

# Each shared library the command needs is a dependency of the package
# (however the command links its C++ run-time).
run(COMMAND readelf -d ${root}/usr/bin/zavrin OUT dynamic)
expect_match("${dynamic}" "NEEDED" "the command's dynamic section")
foreach(pair libc.so.6=libc6 libsqlite3.so.0=libsqlite3-0 libstdc++.so.6=libstdc++6
             libgcc_s.so.1=libgcc-s1 libm.so.6=libc6 libedit.so.2=libedit2)
  string(REPLACE "=" ";" pair "${pair}")
  list(GET pair 0 library)
  list(GET pair 1 package)
  string(REPLACE "+" "\\+" library_pattern "${library}")
  string(REPLACE "+" "\\+" package_pattern "${package}")
  if(dynamic MATCHES "\\[${library_pattern}\\]")
    expect_match("${fields}" "Depends: [^\n]*${package_pattern}[ ,(\n]"
                 "the dependencies (the command needs ${library})")
  endif()
endforeach()
expect_tree(${root}/usr PRESENT ${ZS_INSTALLED} ABSENT ${ZS_NOT_INSTALLED})

set(zavrin ${root}/usr/bin/zavrin)
run(COMMAND ${zavrin} --version OUT version)
expect_match("${version}" "^zavrin ${VERSION}\n$" "zavrin --version")
run(COMMAND ${zavrin} list OUT list)
expect_match("${list}" "\nZSNumbers +control +VQZavrinStudio.ZSNumbers +{[-0-9A-F]+} +yes\n"
             "zavrin list")

# The package's pkg-config file points into the unpacked tree.
file(GLOB pc_dir ${root}/usr/lib*/pkgconfig)
expect_pc_paths(${pc_dir})
message(STATUS "built, unpacked and ran ${debs}")
