# The Win32 desktop program's tests under wine: its windows in process, driven
# with messages the way a user's actions produce them (a GoogleTest program on
# a virtual display), and the program's import table. Included by
# tests/windows.cmake.

set(HWD_WIN32_TESTS ${HWD_TESTS}/ui/win32)

# The waves the tests drop, beside the test program: the example waves and a
# stereo file from SoX, which the loader refuses.
set(HWD_TEST_WAVES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/test-waves)
set(HWD_TEST_WAVE_FILES)
foreach(wave saw square sine long-sine-600)
    add_custom_command(OUTPUT ${HWD_TEST_WAVES}/${wave}.wav
        COMMAND ${CMAKE_COMMAND} -E make_directory ${HWD_TEST_WAVES}
        COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/examples/${wave}.wav ${HWD_TEST_WAVES}/${wave}.wav
        DEPENDS ${PROJECT_SOURCE_DIR}/examples/${wave}.wav)
    list(APPEND HWD_TEST_WAVE_FILES ${HWD_TEST_WAVES}/${wave}.wav)
endforeach()
find_program(HWD_SOX sox REQUIRED)
add_custom_command(OUTPUT ${HWD_TEST_WAVES}/sox-stereo.wav
    COMMAND ${CMAKE_COMMAND} -E make_directory ${HWD_TEST_WAVES}
    COMMAND ${HWD_SOX} -V1 -D -r 8000 -n -b 16 -c 2 ${HWD_TEST_WAVES}/sox-stereo.wav synth 1000s sine 100)
list(APPEND HWD_TEST_WAVE_FILES ${HWD_TEST_WAVES}/sox-stereo.wav)
add_custom_target(hwd_test_waves DEPENDS ${HWD_TEST_WAVE_FILES})

# What the window tests share: the main dialog around a recording controller,
# drops, keys, mouse clicks, message boxes and menus caught as they open, pixels.
file(GLOB HWD_WIN32_TEST_SUPPORT CONFIGURE_DEPENDS ${HWD_WIN32_TESTS}/support/*.cpp)
add_library(hwd_win32_test_support STATIC ${HWD_WIN32_TEST_SUPPORT})
target_include_directories(hwd_win32_test_support PUBLIC ${HWD_WIN32_TESTS})
target_link_libraries(hwd_win32_test_support PUBLIC hwd_win32 hwd_test_support gtest)
add_dependencies(hwd_win32_test_support hwd_test_waves)

file(GLOB HWD_WIN32_TEST_SOURCES CONFIGURE_DEPENDS ${HWD_WIN32_TESTS}/*Test.cpp)
# Its tests end their own loops after ten seconds at most; a whole run takes
# about ten.
hwd_windows_test(windows_win32_ui_tests WINDOWED OWN_MAIN TIMEOUT 90
    SOURCES ${HWD_WIN32_TESTS}/Win32TestMain.cpp ${HWD_WIN32_TEST_SOURCES}
    LIBRARIES hwd_win32_test_support hwd_win32_resources version)

# Both programs run on a bare Windows: no DLL of the cross compiler's runtime.
find_program(HWD_OBJDUMP NAMES x86_64-w64-mingw32-objdump objdump)
if(HWD_OBJDUMP)
    add_test(NAME windows.imports.harlix-wave-dump
        COMMAND ${HWD_WIN32_TESTS}/check-imports.sh ${HWD_OBJDUMP} $<TARGET_FILE:harlix-wave-dump> gui)
    add_test(NAME windows.imports.wavedump
        COMMAND ${HWD_WIN32_TESTS}/check-imports.sh ${HWD_OBJDUMP} $<TARGET_FILE:wavedump> console)
endif()

# Listen on wine's own waveOut device, which reaches ALSA: the tests' capturing
# configuration writes what the device was given into the test's own file.
# A program of its own, since the other window tests need wine without a device.
hwd_windows_test(windows_win32_listen_capture_tests WINDOWED OWN_MAIN
    SOURCES ${HWD_WIN32_TESTS}/Win32TestMain.cpp ${HWD_WIN32_TESTS}/capture/ListenCaptureTest.cpp
            ${HWD_WIN32_TESTS}/capture/PcmWaveFile.cpp
    LIBRARIES hwd_win32_test_support hwd_win32_resources version)
if(HWD_WINE)
    file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/audio-capture)
    set_property(TEST windows.windows_win32_listen_capture_tests APPEND PROPERTY ENVIRONMENT
        ALSA_CONFIG_PATH=${HWD_TESTS}/audio/capture.conf
        HWD_ALSA_CAPTURE=${CMAKE_CURRENT_BINARY_DIR}/audio-capture/listen.wav)
endif()
