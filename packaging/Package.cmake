# `cpack -G DEB` in a build folder: a Debian package of the install rules above, installed under /usr.
#
# Depends names what the program links on Debian 12: the Qt 6 libraries (Qt's X11 platform plugin ships in
# libqt6gui6, so the program starts with these alone) and the C and C++ runtimes GCC 12 builds against.
# dpkg-shlibdeps would work the list out from the binary, but it needs packages (dpkg-dev, file) the
# project does not otherwise use.

set(CPACK_PACKAGE_NAME tavrik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "battle editor for Pokémon Red, Blue and Yellow ROM files")
set(CPACK_PACKAGE_DESCRIPTION
    "Tavrik edits every trainer, wild and overworld battle of Pokémon Red, Blue
and Yellow ROM files, in place. It fills its pick lists with the names
stored in the ROM itself and writes back only the bytes it edits. It keeps no
backup: copy a ROM before editing it.")
set(TAVRIK_PACKAGE_MAINTAINER "Tavrik maintainers <maintainers@tavrik.invalid>"
    CACHE STRING "Maintainer field of the Debian package: name <email>")
set(CPACK_PACKAGE_CONTACT "${TAVRIK_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# A Release build's symbol table serves nobody who installs the package; other builds keep theirs.
if(CMAKE_BUILD_TYPE MATCHES "^(Release|MinSizeRel)$")
    set(CPACK_STRIP_FILES ON)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), libstdc++6 (>= 12), libgcc-s1 (>= 3.0), libc6 (>= 2.34)")

include(CPack)
