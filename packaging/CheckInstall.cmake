# Installs a build into a scratch prefix and checks that the program, the menu entry and the icon land
# where desktops look for them, and that the installed entry passes desktop-file-validate, hands the
# program the file it opens and offers it for Game Boy ROM files.
#
#   cmake -DBUILD_DIR=<build> -DPREFIX=<scratch> -DBINDIR=bin -DDATADIR=share
#         -DVALIDATE=<desktop-file-validate> -P CheckInstall.cmake

cmake_minimum_required(VERSION 3.25)

foreach(variable BUILD_DIR PREFIX BINDIR DATADIR VALIDATE)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "${variable} is not set")
    endif()
endforeach()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(program "${PREFIX}/${BINDIR}/tavrik")
set(entry "${PREFIX}/${DATADIR}/applications/tavrik.desktop")
set(icon "${PREFIX}/${DATADIR}/icons/hicolor/64x64/apps/tavrik.png")
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
