# The suites of glyph_logic, free of Qt like the logic itself, defined once for both trees.
add_executable(plain_logic_tests
    ${CMAKE_CURRENT_LIST_DIR}/bar_animation_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/char_names_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/icon_motion_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lock_toggles_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/nearest_int16_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/welcome_animation_test.cpp
)
target_link_libraries(plain_logic_tests PRIVATE glyph_logic GTest::gtest_main)
