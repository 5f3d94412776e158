# Writes the desktop entry from TEMPLATE to OUTPUT for the program at PROGRAM. It runs at install
# time because only then is the prefix known: `cmake --install --prefix` may change it.
foreach(variable TEMPLATE OUTPUT PROGRAM)
    if(NOT ${variable})
        message(FATAL_ERROR "${variable} is not set")
    endif()
endforeach()
if(PROGRAM MATCHES "[\r\n]")
    message(FATAL_ERROR "A desktop entry cannot name a program whose path holds a line break: "
                        "${PROGRAM}")
endif()

# Exec is a command line: the path goes in double quotes, inside which ", `, $ and \ take a
# backslash. Every value is also a string whose backslashes are escaped once more, and in Exec a
# % would start a field code.
set(exec "${PROGRAM}")
foreach(special "\\" "\"" "`" "$")
    string(REPLACE "${special}" "\\${special}" exec "${exec}")
endforeach()
string(REPLACE "\\" "\\\\" EXEC "\"${exec}\"")
string(REPLACE "%" "%%" EXEC "${EXEC}")
string(REPLACE "\\" "\\\\" TRY_EXEC "${PROGRAM}")

message(STATUS "Installing: ${OUTPUT}")
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${OUTPUT}")
