# `cpack -G DEB` in a build folder: a Debian package of the install rules above, installed under /usr.
#
# Depends comes from dpkg-shlibdeps (package dpkg-dev): it reads which shared libraries the built program
# links and takes from Debian's symbols files the lowest version that has every symbol it uses, for the
# Qt 6 libraries, libstdc++6, libgcc-s1 and libc6. A list written by hand would drift from what the
# program links and from Debian's package names; this one is exact for the system that built the package.
# Qt's X11 platform plugin ships in libqt6gui6, so the program starts with these alone.

set(CPACK_PACKAGE_NAME tavrik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "battle editor for Pokémon Red, Blue and Yellow ROM files")
set(CPACK_PACKAGE_DESCRIPTION
    "Tavrik edits the gym leader, Elite Four and overworld battles of Pokémon Red,
Blue and Yellow ROM files, in place. It fills its pick lists with the names
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
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Without dpkg-shlibdeps CPack would quietly leave Depends empty; this stops it instead.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackProject.cmake)

include(CPack)
