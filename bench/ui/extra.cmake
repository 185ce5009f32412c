# The start-up benchmark's two child programs: the desktop program's start-up
# with a report at its first paint, and a minimal Qt dialog as the yardstick.
add_executable(hwd-startup-probe ${CMAKE_CURRENT_SOURCE_DIR}/StartupProbe.cpp)
# The probe drops its file with the desktop tests' drop helper.
target_link_libraries(hwd-startup-probe PRIVATE hwd_ui)
target_include_directories(hwd-startup-probe PRIVATE ${PROJECT_SOURCE_DIR})
add_executable(hwd-baseline-dialog ${CMAKE_CURRENT_SOURCE_DIR}/BaselineDialog.cpp)
target_link_libraries(hwd-baseline-dialog PRIVATE Qt6::Widgets)
set_target_properties(hwd-startup-probe hwd-baseline-dialog PROPERTIES AUTOMOC OFF)

add_dependencies(StartupBenchmark hwd-startup-probe hwd-baseline-dialog)
target_compile_definitions(StartupBenchmark PRIVATE
    HWD_STARTUP_PROBE="$<TARGET_FILE:hwd-startup-probe>"
    HWD_BASELINE_DIALOG="$<TARGET_FILE:hwd-baseline-dialog>")
