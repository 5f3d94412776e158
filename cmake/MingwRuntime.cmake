# GLYPH_MINGW_RUNTIME: the compiler's runtime DLLs that every program of the Windows tree and the
# Qt DLLs are linked against.
set(GLYPH_MINGW_RUNTIME)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${found}")
        message(FATAL_ERROR "The compiler's runtime DLL ${dll} was not found")
    endif()
    list(APPEND GLYPH_MINGW_RUNTIME "${found}")
endforeach()
