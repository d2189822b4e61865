# Installs a build the way users do and checks that the program, the menu entry and the icon land where
# desktops look for them, and that the installed entry passes desktop-file-validate, hands the program the
# file it opens and offers it for Game Boy ROM files.
#
# With `cmake --install` into <scratch>/prefix:
#   cmake -DBUILD_DIR=<build> -DSCRATCH=<scratch> -DBINDIR=bin -DDATADIR=share
#         -DVALIDATE=<desktop-file-validate> -P CheckInstall.cmake
# With the Debian package that `cpack -G DEB` makes, unpacked into <scratch>/root, add:
#         -DCPACK=<cpack> -DDPKG_DEB=<dpkg-deb> -DVERSION=<project version>

cmake_minimum_required(VERSION 3.25)

foreach(variable BUILD_DIR SCRATCH BINDIR DATADIR VALIDATE)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "${variable} is not set")
    endif()
endforeach()

# Runs a command, stops with its output when it fails, and leaves its standard output in OUTPUT.
function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE error)
    if(NOT result EQUAL 0)
        list(JOIN ARGN " " command)
        message(FATAL_ERROR "${command} failed: ${result}\n${output}${error}")
    endif()
    set(OUTPUT "${output}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${SCRATCH}")
if(NOT DEFINED DPKG_DEB)
    set(prefix "${SCRATCH}/prefix")
    run("${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}")
else()
    run("${CPACK}" -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${SCRATCH}")
    file(GLOB package "${SCRATCH}/tavrik_${VERSION}_*.deb")
    list(LENGTH package count)
    if(NOT count EQUAL 1)
        message(FATAL_ERROR "expected one tavrik_${VERSION}_*.deb in ${SCRATCH}, found: ${package}")
    endif()
    # Without its dependencies the package would install and then not start.
    run("${DPKG_DEB}" --field "${package}" Depends)
    if(NOT OUTPUT MATCHES "(^|, )libqt6widgets6")
        message(FATAL_ERROR "the package does not depend on Qt 6 Widgets: Depends: ${OUTPUT}")
    endif()
    run("${DPKG_DEB}" --extract "${package}" "${SCRATCH}/root")
    set(prefix "${SCRATCH}/root/usr")
endif()

set(program "${prefix}/${BINDIR}/tavrik")
set(entry "${prefix}/${DATADIR}/applications/tavrik.desktop")
set(icon "${prefix}/${DATADIR}/icons/hicolor/64x64/apps/tavrik.png")
foreach(path program entry icon)
    if(NOT EXISTS "${${path}}")
        message(FATAL_ERROR "not installed: ${${path}}")
    endif()
endforeach()
execute_process(COMMAND test -x "${program}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the installed program is not executable: ${program}")
endif()

execute_process(COMMAND "${VALIDATE}" "${entry}" RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT output STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate ${entry}:\n${output}")
endif()

# The entry must start the installed program with the file it is opened with, name the installed icon and
# offer itself for both kinds of Game Boy ROM files.
file(STRINGS "${entry}" exec REGEX "^Exec=")
file(STRINGS "${entry}" icon_key REGEX "^Icon=")
if(NOT exec MATCHES "^Exec=tavrik (.* )?%f( |$)" OR NOT icon_key STREQUAL "Icon=tavrik")
    message(FATAL_ERROR "the entry does not start tavrik on a file with its icon: ${exec} ${icon_key}")
endif()
file(STRINGS "${entry}" mime_types REGEX "^MimeType=")
string(REGEX REPLACE "^MimeType=" "" mime_types "${mime_types}")
string(REPLACE "\\;" ";" mime_types "${mime_types}")
foreach(type application/x-gameboy-rom application/x-gameboy-color-rom)
    if(NOT type IN_LIST mime_types)
        message(FATAL_ERROR "the entry's MimeType does not list ${type}: ${mime_types}")
    endif()
endforeach()
file(READ "${icon}" header LIMIT 8 HEX)
if(NOT header STREQUAL "89504e470d0a1a0a")
    message(FATAL_ERROR "the icon is not a PNG file: ${icon}")
endif()
message(STATUS "installed and valid: ${program}, ${entry}, ${icon}")
