# The Windows cross-build's tests, run under wine: the core tests that need
# nothing but the standard library and the program's own libraries (the sender
# against the scripted MIDI output, the dump message, the wave operations; the
# loader's tests load from memory with POSIX calls and stay on Linux), the desktop layer's tests, and the Win32 desktop program's windows,
# import table, screenshots, start-up figure and user session. GoogleTest is
# built from Debian's sources (the googletest package) with the cross compiler.

set(HWD_GOOGLETEST_SOURCE /usr/src/googletest/googletest CACHE PATH "GoogleTest's sources")
if(NOT EXISTS ${HWD_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(STATUS "No GoogleTest sources at ${HWD_GOOGLETEST_SOURCE}: the Windows tests are not built")
    return()
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${HWD_GOOGLETEST_SOURCE} ${CMAKE_CURRENT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# GoogleTest's own sources are not held to the program's warning rules.
foreach(target gtest gtest_main)
    target_compile_options(${target} PRIVATE -w)
endforeach()

# Debian's wine64 package puts its loader in /usr/lib/wine; the wine package
# adds the wrapper in the PATH.
find_program(HWD_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(HWD_WINE)
    message(STATUS "Windows tests run under ${HWD_WINE}")
    # A prefix of their own in the build folder, made once before the tests so
    # that tests run in parallel do not each try to make it.
    # The prefix has the fonts of a Windows desktop and lets wine draw the
    # window frames itself, since the test display runs no window manager.
    set(HWD_WINE_PREFIX ${CMAKE_CURRENT_BINARY_DIR}/wineprefix)
    set(HWD_WINE_ENVIRONMENT WINEPREFIX=${HWD_WINE_PREFIX} WINEDEBUG=-all)
    add_test(NAME windows.wineprefix COMMAND ${PROJECT_SOURCE_DIR}/tools/wine/prepare-prefix.sh ${HWD_WINE_PREFIX})
    set_tests_properties(windows.wineprefix PROPERTIES
        ENVIRONMENT "${HWD_WINE_ENVIRONMENT}" FIXTURES_SETUP hwd_wine TIMEOUT 300)
else()
    message(STATUS "No wine: the Windows tests are built but not run")
endif()

# Builds one test program, statically linked so that wine needs no DLL from
# the cross compiler, and runs it as one ctest test when wine is there.
# WINDOWED: the program opens windows, so it runs on a virtual X display of
# its own. Wine processes of one prefix on different displays lose keyboard
# focus to each other, so windowed tests never run beside one another.
# TIMEOUT: its time limit in seconds, 300 unless given.
function(hwd_windows_test name)
    cmake_parse_arguments(ARG "WINDOWED;OWN_MAIN" "TIMEOUT" "SOURCES;LIBRARIES" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    if(ARG_OWN_MAIN)
        target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} gtest)
    else()
        target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} gtest_main)
    endif()
    target_link_options(${name} PRIVATE -static)
    if(HWD_WINE)
        if(ARG_WINDOWED)
            add_test(NAME windows.${name}
                COMMAND ${PROJECT_SOURCE_DIR}/tools/wine/with-display.sh ${HWD_WINE} $<TARGET_FILE:${name}>)
            set_tests_properties(windows.${name} PROPERTIES RUN_SERIAL ON)
        else()
            add_test(NAME windows.${name} COMMAND ${HWD_WINE} $<TARGET_FILE:${name}>)
        endif()
        set_tests_properties(windows.${name} PROPERTIES
            ENVIRONMENT "${HWD_WINE_ENVIRONMENT}" FIXTURES_REQUIRED hwd_wine TIMEOUT ${ARG_TIMEOUT})
    endif()
endfunction()

set(HWD_TESTS ${CMAKE_CURRENT_SOURCE_DIR})

# The shared test support, less the Linux-only subprocess harness.
add_subdirectory(${HWD_TESTS}/support ${CMAKE_CURRENT_BINARY_DIR}/support)

hwd_windows_test(windows_sender_tests
    SOURCES ${HWD_TESTS}/transfer/MidiSenderTest.cpp
    LIBRARIES hwd_test_support)
hwd_windows_test(windows_sender_allocation_tests
    SOURCES ${HWD_TESTS}/transfer/MidiSenderAllocationTest.cpp
    LIBRARIES hwd_transfer hwd_counting_allocator)

hwd_windows_test(windows_dump_tests
    SOURCES ${HWD_TESTS}/core/WaveDumpMessageTest.cpp
    LIBRARIES hwd_transfer)
hwd_windows_test(windows_operations_tests
    SOURCES ${HWD_TESTS}/core/WaveOperationsTest.cpp
    LIBRARIES hwd_wave)
hwd_windows_test(windows_winmm_tests
    SOURCES ${HWD_TESTS}/transfer/WinmmMidiOutputTest.cpp
    LIBRARIES hwd_test_support hwd_midi_system)
# The preview's waveOut stream against a stand-in (counting allocations) and
# wavedump play's blocking playback, on a stand-in and on the system's waveOut.
hwd_windows_test(windows_waveout_tests
    SOURCES ${HWD_TESTS}/audio/winmm/StandInWaveOut.cpp ${HWD_TESTS}/audio/winmm/WaveOutStreamTest.cpp
            ${HWD_TESTS}/audio/winmm/WaveOutPlaybackTest.cpp
    LIBRARIES hwd_audio_system hwd_counting_allocator)
# wavedump.exe play where wine offers no audio device: the system's reason.
if(HWD_WINE)
    add_test(NAME windows.wavedump_play_without_audio
        COMMAND ${HWD_TESTS}/audio/winmm/play-without-audio.sh ${HWD_WINE} $<TARGET_FILE:wavedump>
                ${PROJECT_SOURCE_DIR}/examples/saw.wav)
    set_tests_properties(windows.wavedump_play_without_audio PROPERTIES
        ENVIRONMENT "${HWD_WINE_ENVIRONMENT}" FIXTURES_REQUIRED hwd_wine TIMEOUT 300)
    # wavedump.exe play on wine's own waveOut, which reaches ALSA: the tests'
    # capturing configuration writes what the device was given into the
    # test's own file, to be held against the wave files' samples.
    find_program(HWD_PYTHON3 python3)
    if(HWD_PYTHON3)
        set(HWD_PLAY_CAPTURE ${CMAKE_CURRENT_BINARY_DIR}/audio-capture/wavedump-play.wav)
        file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/audio-capture)
        add_test(NAME windows.wavedump_play_captured
            COMMAND ${HWD_PYTHON3} ${HWD_TESTS}/audio/winmm/play_captured.py ${HWD_WINE} $<TARGET_FILE:wavedump>
                    ${PROJECT_SOURCE_DIR}/examples)
        set(HWD_PLAY_CAPTURE_ENVIRONMENT ${HWD_WINE_ENVIRONMENT}
            ALSA_CONFIG_PATH=${HWD_TESTS}/audio/capture.conf HWD_ALSA_CAPTURE=${HWD_PLAY_CAPTURE})
        set_tests_properties(windows.wavedump_play_captured PROPERTIES
            ENVIRONMENT "${HWD_PLAY_CAPTURE_ENVIRONMENT}" FIXTURES_REQUIRED hwd_wine TIMEOUT 300)
    endif()
    # wavedump.exe with Chinese, Cyrillic and Greek file names, which the ANSI
    # code page cannot spell.
    add_test(NAME windows.wavedump_unicode_names
        COMMAND ${HWD_TESTS}/cli/win32/unicode-names.sh ${HWD_WINE} $<TARGET_FILE:wavedump>
                ${PROJECT_SOURCE_DIR}/examples/saw.wav)
    set_tests_properties(windows.wavedump_unicode_names PROPERTIES
        ENVIRONMENT "${HWD_WINE_ENVIRONMENT}" FIXTURES_REQUIRED hwd_wine TIMEOUT 300)
endif()
# wavedump's file names from the UTF-8 it takes to the UTF-16 the system opens,
# and its UTF-16 command line made UTF-8.
hwd_windows_test(windows_cli_path_tests
    SOURCES ${HWD_TESTS}/cli/PathArgumentTest.cpp ${PROJECT_SOURCE_DIR}/cli/win32/Utf8Arguments.cpp
    LIBRARIES hwd_wavedump)
target_compile_definitions(windows_cli_path_tests PRIVATE PROJECT_SOURCE="${PROJECT_SOURCE_DIR}")

# The desktop layer's own tests, the same sources as on Linux.
include(${HWD_TESTS}/app/sources.cmake OPTIONAL)
if(HWD_APP_TEST_SOURCES)
    hwd_windows_test(windows_app_tests SOURCES ${HWD_APP_TEST_SOURCES}
        LIBRARIES hwd_app hwd_scripted_window hwd_test_support hwd_test_files)
endif()

if(TARGET hwd_win32)
    include(${HWD_TESTS}/ui/win32/win32.cmake)
    # The start-up figure, printed by a ctest of its own.
    add_subdirectory(${PROJECT_SOURCE_DIR}/bench/win32 ${CMAKE_BINARY_DIR}/bench/win32)
endif()

# The black-box user session of the desktop program.
include(${HWD_TESTS}/ui/session/session.cmake OPTIONAL)
