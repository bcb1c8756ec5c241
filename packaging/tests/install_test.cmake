# Installs the build into a fresh prefix, moves the prefix elsewhere (the
# packages must not remember where they were installed), then builds and runs
# a consumer through find_package(ZavrinStudio) and another through
# pkg-config.
# -DBUILD_DIR= -DCONSUMER_DIR= -DWORK_DIR= -DVERSION= -DCXX= -DGENERATOR=
include(${CMAKE_CURRENT_LIST_DIR}/checks.cmake)

file(REMOVE_RECURSE ${WORK_DIR})
set(installed ${WORK_DIR}/installed)
set(prefix ${WORK_DIR}/moved)
run(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${installed})
file(RENAME ${installed} ${prefix})
expect_tree(${prefix} PRESENT ${ZS_INSTALLED} ABSENT ${ZS_NOT_INSTALLED})

run(COMMAND ${prefix}/bin/zavrin --version OUT version)
expect_match("${version}" "^zavrin ${VERSION}\n$" "zavrin --version")

file(MAKE_DIRECTORY ${WORK_DIR}/registry)
set(registry ZAVRIN_REGISTRY_DIR=${WORK_DIR}/registry)
set(expected "^BinToHex: FF, argument 255\nBinToDec: Integer 5\nHexToDec: error [0-9]+ from VQZavrinStudio.ZSNumbers\nCreateKey: 0, KeyExist: yes\n$")

# find_package
run(COMMAND ${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/cmake-consumer -G ${GENERATOR}
            -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_PREFIX_PATH=${prefix})
run(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/cmake-consumer)
run(COMMAND ${WORK_DIR}/cmake-consumer/consumer ENV ${registry} OUT out)
expect_match("${out}" "${expected}" "the find_package consumer's output")

# pkg-config, as a plain compiler command line
file(GLOB pc_dir ${prefix}/lib*/pkgconfig)
set(pkg_config ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${pc_dir} pkg-config)
expect_pc_paths(${pc_dir})
run(COMMAND ${pkg_config} --modversion zavrin OUT modversion)
expect_match("${modversion}" "^${VERSION}\n$" "pkg-config --modversion zavrin")
run(COMMAND ${pkg_config} --cflags zavrin OUT cflags)
run(COMMAND ${pkg_config} --libs zavrin OUT libs)
separate_arguments(cflags UNIX_COMMAND "${cflags}")
separate_arguments(libs UNIX_COMMAND "${libs}")
run(COMMAND ${CXX} -std=c++20 -Wall -Wextra -Werror ${cflags}
            ${CONSUMER_DIR}/main.cpp -o ${WORK_DIR}/pc-consumer ${libs})
run(COMMAND ${WORK_DIR}/pc-consumer ENV ${registry} OUT out)
expect_match("${out}" "${expected}" "the pkg-config consumer's output")
message(STATUS "installed, moved, and built two consumers against ${prefix}")
