# Signs the program's executable and DLLs where CPack has laid them, before it packs them; see
# scripts/sign-windows. scripts/build-windows hands it to cpack as CPACK_PRE_BUILD_SCRIPTS when it
# is given a certificate. Here the install has already stripped them, which would break a
# signature made earlier, and the zip is packed from them next, and the setup from the unpacked
# zip: both carry the same signed files.
file(GLOB_RECURSE binaries "${CPACK_TEMPORARY_DIRECTORY}/*.exe" "${CPACK_TEMPORARY_DIRECTORY}/*.dll")
execute_process(COMMAND "${CMAKE_CURRENT_LIST_DIR}/../../scripts/sign-windows" ${binaries}
    COMMAND_ERROR_IS_FATAL ANY)
