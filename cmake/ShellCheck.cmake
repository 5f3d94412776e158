# Checks the shell scripts with shellcheck, following the files they source from the root.
find_program(SHELLCHECK NAMES shellcheck REQUIRED)
file(GLOB_RECURSE scripts
    "${SOURCE_DIR}/scripts/*" "${SOURCE_DIR}/bench/run" "${SOURCE_DIR}/.ci/run"
    "${SOURCE_DIR}/cmake/*.sh" "${SOURCE_DIR}/resources/*.sh" "${SOURCE_DIR}/tests/*.sh")
execute_process(COMMAND ${SHELLCHECK} --external-sources ${scripts}
                WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "shellcheck: the scripts above have findings")
endif()
