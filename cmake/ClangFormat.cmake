# Checks (MODE=check) or rewrites (MODE=fix) the C++ sources with the repository's .clang-format.
find_program(CLANG_FORMAT NAMES clang-format clang-format-14 REQUIRED)
file(GLOB_RECURSE sources
    "${SOURCE_DIR}/src/*.cpp" "${SOURCE_DIR}/src/*.h"
    "${SOURCE_DIR}/tests/*.cpp" "${SOURCE_DIR}/tests/*.h"
    "${SOURCE_DIR}/bench/*.cpp" "${SOURCE_DIR}/bench/*.h")
if(MODE STREQUAL "fix")
    execute_process(COMMAND ${CLANG_FORMAT} -i --style=file ${sources} RESULT_VARIABLE failed)
else()
    execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror --style=file ${sources}
                    RESULT_VARIABLE failed)
endif()
if(failed)
    message(FATAL_ERROR "clang-format: sources are not formatted; run: cmake --build build --target format")
endif()
