# Read by cpack before it runs each generator.
if(CPACK_GENERATOR STREQUAL "DEB")
    find_program(TAVRIK_DPKG_SHLIBDEPS dpkg-shlibdeps)
    if(NOT TAVRIK_DPKG_SHLIBDEPS)
        message(FATAL_ERROR "dpkg-shlibdeps not found (Debian: dpkg-dev): the package would declare no dependencies")
    endif()
endif()
