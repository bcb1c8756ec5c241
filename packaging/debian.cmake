# The Debian package: one package, `zavrin`, holding everything the install
# rules install (the command, its man page and completion, the static library,
# its headers, the CMake and pkg-config files, the documentation).
#   cmake --workflow --preset deb      (release build, then the package)
#   cpack --config build/<preset>/CPackConfig.cmake
set(ZS_PACKAGE_MAINTAINER "Zavrin Studio Suite developers <zavrin@localhost>"
    CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zavrin)
set(CPACK_PACKAGE_VENDOR Velquorsoft)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Zavrin Studio Suite automation components: library, command and host")
# Wrapped as a Debian description wants it: CPack keeps the lines.
set(CPACK_PACKAGE_DESCRIPTION [[
The components of the Zavrin Studio Suite (number conversion, math
functions, linked list and stack, keyed collections, registry access,
system information, shell integration, splash screens and about boxes) as
a C++20 static library with its headers, CMake package and pkg-config
file, and the zavrin command, which lists the classes, calls their members,
runs an interactive session and serves them to other programs as a
JSON-lines automation host.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # zavrin_1.22_amd64.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZS_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The command's run-time libraries come from dpkg-shlibdeps; building against
# the static library also needs the SQLite, ICU, X (RandR), cairo, pango,
# libpng and libsystemd (sd-bus) headers and a compiler.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libsqlite3-dev, libicu-dev, libx11-dev, libxrandr-dev, libcairo2-dev, libpango1.0-dev, libpng-dev, libsystemd-dev, pkg-config")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")

include(CPack)
