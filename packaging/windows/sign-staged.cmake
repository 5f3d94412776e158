# Run by CPack between laying the program's files and packing them, when scripts/build-windows is
# given a certificate (it passes this file as CPACK_PRE_BUILD_SCRIPTS). The executable and the
# DLLs are signed here: after the install has stripped them, which would break a signature, and
# before the zip is packed; the setup is made from the unpacked zip, so both carry the same signed
# files. The pattern's case leaves out the settings files, text named .DLL.
file(GLOB_RECURSE binaries "${CPACK_TEMPORARY_DIRECTORY}/*.exe" "${CPACK_TEMPORARY_DIRECTORY}/*.dll")
execute_process(COMMAND "${CMAKE_CURRENT_LIST_DIR}/../../scripts/sign-windows" ${binaries}
    COMMAND_ERROR_IS_FATAL ANY)
