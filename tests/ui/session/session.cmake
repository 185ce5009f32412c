# A user's session with harlix-wave-dump.exe, from outside the process: the
# program runs under wine on a virtual display of its own, a script presses its
# keys and buttons with xdotool, drags WAV files onto it from a small native Qt
# program (the way a file manager drops them) and reads its windows off
# screenshots, which it keeps in build-windows/screenshots. Included by
# tests/windows.cmake.

if(NOT TARGET harlix-wave-dump OR NOT HWD_WINE)
    return()
endif()

find_program(HWD_PYTHON3 python3)
find_program(HWD_XVFB Xvfb)
find_program(HWD_XDOTOOL xdotool)
find_program(HWD_IMPORT import)
find_program(HWD_SOX sox)
if(NOT HWD_PYTHON3 OR NOT HWD_XVFB OR NOT HWD_XDOTOOL OR NOT HWD_IMPORT OR NOT HWD_SOX)
    message(STATUS "No python3, Xvfb, xdotool, ImageMagick or SoX: the desktop session is not run")
    return()
endif()

set(HWD_SESSION_SOURCE ${CMAKE_CURRENT_LIST_DIR})
set(HWD_SESSION_BINARY ${CMAKE_CURRENT_BINARY_DIR}/session)

# The drag source is a Linux program while everything around it is built for
# Windows, so it is a project of its own, configured with the host's compiler
# and Qt.
include(ExternalProject)
ExternalProject_Add(hwd_drag_source
    SOURCE_DIR ${HWD_SESSION_SOURCE}/drag-source
    PREFIX ${HWD_SESSION_BINARY}/drag-source-prefix
    BINARY_DIR ${HWD_SESSION_BINARY}/drag-source-build
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    BUILD_ALWAYS ON
    INSTALL_COMMAND "")

# Reads a message box's text for the session: wine's boxes do not copy it on Ctrl+C.
add_executable(hwd_box_text ${HWD_SESSION_SOURCE}/box-text/BoxText.cpp)
set_target_properties(hwd_box_text PROPERTIES OUTPUT_NAME box-text)
target_link_options(hwd_box_text PRIVATE -static)

# Its own wine prefix: wine programs of one prefix on two displays take each
# other's keyboard focus, and the in-process tests use the shared one.
add_test(NAME windows.session
    COMMAND ${PROJECT_SOURCE_DIR}/tools/wine/with-display.sh
        ${HWD_PYTHON3} -B ${HWD_SESSION_SOURCE}/run_session.py
        --program $<TARGET_FILE:harlix-wave-dump>
        --wine ${HWD_WINE}
        --prepare-prefix ${PROJECT_SOURCE_DIR}/tools/wine/prepare-prefix.sh
        --drag-source ${HWD_SESSION_BINARY}/drag-source-build/drag-source
        --box-text $<TARGET_FILE:hwd_box_text>
        --examples ${PROJECT_SOURCE_DIR}/examples
        --screenshots ${CMAKE_BINARY_DIR}/screenshots
        --work ${HWD_SESSION_BINARY}/work)
set_tests_properties(windows.session PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77)
