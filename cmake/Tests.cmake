# The test helpers of every folder of tests/. The cross-compiled Windows tree runs each test under
# Wine, in the prefix that cmake/WineTests.cmake sets up.
include(GoogleTest)
if(CMAKE_CROSSCOMPILING)
    include(${CMAKE_CURRENT_LIST_DIR}/WineTests.cmake)
endif()

# glyph_under_wine(TEST...)
# The tests run in the shared prefix; a Wine that hangs fails the test long before CTest's own
# limit would end it.
function(glyph_under_wine)
    set_tests_properties(${ARGN} PROPERTIES FIXTURES_REQUIRED wine_prefix TIMEOUT 300)
endfunction()

# glyph_gtest_cases(TARGET [PROPERTY VALUE...])
# One CTest test for the whole program, with the given test properties: each Wine process takes
# about a second to start, and GoogleTest's own report names the cases that failed.
function(glyph_gtest_cases target)
    add_test(NAME ${target} COMMAND ${target})
    glyph_under_wine(${target})
    if(ARGN)
        set_tests_properties(${target} PROPERTIES ${ARGN})
    endif()
endfunction()

# glyph_gtest(TARGET [ENVIRONMENT...]): one CTest test per GoogleTest case; under Wine one per
# program.
function(glyph_gtest target)
    if(CMAKE_CROSSCOMPILING)
        glyph_gtest_cases(${target})
    else()
        gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST PROPERTIES ENVIRONMENT "${ARGN}")
    endif()
endfunction()

# glyph_wine_test(NAME SOURCE...)
# A GoogleTest program that runs only under Wine, as the CTest test win32.NAME.
function(glyph_wine_test name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
    add_test(NAME win32.${name} COMMAND ${name})
    glyph_under_wine(win32.${name})
endfunction()

# add_wine_test(NAME): the Win32 units' suite NAME.cpp.
function(add_wine_test name)
    glyph_wine_test(${name} ${name}.cpp)
    target_link_libraries(${name} PRIVATE glyph_win32_api)
endfunction()

# The windows' suites, driven with QtTest: on Linux on the offscreen platform, so that they need no
# display; under Wine on Qt's own windows platform, which the shipped program uses and whose
# windows Wine's null display driver keeps unseen. The platform is asked for on the command line,
# which reaches the program under Wine too, so that a test never falls back to another unnoticed.
set(window_test_environment LC_ALL=C.UTF-8 QT_ACCESSIBILITY=1)
set(window_test_platform offscreen)
if(CMAKE_CROSSCOMPILING)
    # QtTest without a console reports to the debugger; Wine passes the variable on only with its
    # WINE prefix.
    list(APPEND window_test_environment WINEQT_FORCE_STDERR_LOGGING=1)
    set(window_test_platform windows)
endif()

# add_window_test(NAME [SCREENS]): the window suite NAME.cpp over the whole program and its
# doubles; SCREENS names a file of screens for the offscreen platform (not Wine's) to show.
function(add_window_test name)
    add_executable(${name} ${name}.cpp)
    target_link_libraries(${name} PRIVATE window_test_support)
    set(platform ${window_test_platform})
    if(ARGC GREATER 1 AND NOT CMAKE_CROSSCOMPILING)
        string(APPEND platform ":configfile=${CMAKE_CURRENT_SOURCE_DIR}/${ARGV1}")
    endif()
    add_test(NAME ${name} COMMAND ${name} -platform ${platform})
    # Pinned so that fonts, locale and the platform do not depend on the machine running them.
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${window_test_environment}")
    if(CMAKE_CROSSCOMPILING)
        glyph_under_wine(${name})
    endif()
endfunction()
