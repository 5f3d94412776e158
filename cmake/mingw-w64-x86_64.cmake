# Cross-compiles for 64-bit Windows with Debian's MinGW-w64, in its POSIX-threads variant, which
# std::thread needs. Use: cmake -S . -B build-mingw --toolchain cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Qt for Windows (GLYPH_WINDOWS_QT, the folder scripts/build-windows builds it into) is searched
# like the MinGW root; its moc, rcc and uic are the Linux Qt's (Debian's qt6-base-dev-tools).
if(GLYPH_WINDOWS_QT)
    list(APPEND CMAKE_FIND_ROOT_PATH ${GLYPH_WINDOWS_QT})
    list(APPEND CMAKE_PREFIX_PATH ${GLYPH_WINDOWS_QT})
    set(QT_HOST_PATH /usr)
    execute_process(COMMAND gcc -print-multiarch OUTPUT_VARIABLE host_multiarch
        OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${host_multiarch}/cmake)
endif()
