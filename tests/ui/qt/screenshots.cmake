# `screenshots`: draws every window offscreen into ${CMAKE_BINARY_DIR}/screenshots.
add_executable(make-screenshots ${CMAKE_CURRENT_SOURCE_DIR}/screenshots.cpp)
target_link_libraries(make-screenshots PRIVATE hwd_ui hwd_test_support Qt6::Test)
set_target_properties(make-screenshots PROPERTIES AUTOMOC ON)
add_custom_target(screenshots
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:make-screenshots>
            ${CMAKE_BINARY_DIR}/screenshots
    DEPENDS make-screenshots
    COMMENT "Drawing the windows into ${CMAKE_BINARY_DIR}/screenshots"
    VERBATIM)
