# The desktop layer's tests, one list for both builds: the Linux one here and
# the Windows cross-build, which runs the same program under wine. So they use
# GoogleTest and the standard library only: no POSIX calls, no Qt.
set(HWD_APP_TEST_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/BankControllerTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ControlStateTableTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DialogTemplatesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DialogUnitsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ImportCycleControllerTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ListenTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LoopRegistryTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainDialogControllerTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PictureCommandsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WaveSavingTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WaveTweakerControllerTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WaveTweakerInputTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WaveViewGeometryTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowPlacementTest.cpp
)
