# The cross-compiled Windows tree runs its tests under Wine, against its real kernel32, user32,
# gdi32, advapi32 and shell32. Every test of a CTest run shares one Wine prefix, made fresh before
# the first and removed after the last, since a new prefix takes some ten seconds to start.

# GoogleTest is built here for Windows from Debian's copy of its sources.
set(GLYPH_GOOGLETEST_SOURCES /usr/src/googletest CACHE PATH
    "GoogleTest's sources, built here for Windows (Debian package googletest)")
set(BUILD_GMOCK OFF)
set(INSTALL_GTEST OFF)
add_subdirectory(${GLYPH_GOOGLETEST_SOURCES} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL
    SYSTEM)

set(GLYPH_WINE_SCRIPT ${PROJECT_SOURCE_DIR}/scripts/wine.sh)
set(GLYPH_WINE_PREFIX ${PROJECT_BINARY_DIR}/wine-prefix)

# Where Wine finds the DLLs that the test programs were linked against: the compiler's runtime
# and, in the tree with Qt, Qt's own. The shipped program carries its copies beside it instead.
include(${CMAKE_CURRENT_LIST_DIR}/MingwRuntime.cmake)
set(wine_path)
set(dlls ${GLYPH_MINGW_RUNTIME})
if(TARGET Qt6::Core)
    get_target_property(qt_core Qt6::Core IMPORTED_LOCATION_RELEASE)
    list(APPEND dlls ${qt_core})
endif()
foreach(dll ${dlls})
    get_filename_component(dir "${dll}" DIRECTORY)
    file(REAL_PATH "${dir}" dir)
    list(APPEND wine_path "${dir}")
endforeach()
list(REMOVE_DUPLICATES wine_path)
list(JOIN wine_path ":" wine_path)
# For scripts/run --windows, which starts the built program the same way.
file(WRITE ${PROJECT_BINARY_DIR}/wine-dll-path.txt "${wine_path}\n")
set(CMAKE_CROSSCOMPILING_EMULATOR env GLYPH_WINE_DLL_PATH=${wine_path} ${GLYPH_WINE_SCRIPT} run
    ${GLYPH_WINE_PREFIX})

add_test(NAME wine_prefix_create COMMAND ${GLYPH_WINE_SCRIPT} create ${GLYPH_WINE_PREFIX})
add_test(NAME wine_prefix_remove COMMAND ${GLYPH_WINE_SCRIPT} remove ${GLYPH_WINE_PREFIX})
set_tests_properties(wine_prefix_create PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 300)
set_tests_properties(wine_prefix_remove PROPERTIES FIXTURES_CLEANUP wine_prefix TIMEOUT 300)
