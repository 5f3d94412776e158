# glyph_logic: the rules and the animation arithmetic that need no Qt, defined once for both trees:
# the program's (src/CMakeLists.txt) and the cross-compiled one without Qt, which runs their
# suites under Wine. A unit that takes Qt types, even only at its edge, belongs in glyph_core.
add_library(glyph_logic STATIC
    ${CMAKE_CURRENT_LIST_DIR}/about/icon_motion.cpp
    ${CMAKE_CURRENT_LIST_DIR}/app/char_names.cpp
    ${CMAKE_CURRENT_LIST_DIR}/numbers/nearest_int16.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/lock_toggles.h
    ${CMAKE_CURRENT_LIST_DIR}/statusbar/bar_animation.cpp
    ${CMAKE_CURRENT_LIST_DIR}/welcome/welcome_animation.cpp
)
target_include_directories(glyph_logic PUBLIC ${CMAKE_CURRENT_LIST_DIR})
