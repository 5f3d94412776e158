# Writes the four settings files with their install-time values into APP_FILES_DIR, leaving every
# file that already exists as it is: it holds the user's settings.
if(NOT APP_FILES_DIR)
    message(FATAL_ERROR "APP_FILES_DIR is not set")
endif()
# What is made here gets rights of its own, not the umask's, so that every package holds the same.
if(NOT EXISTS "${APP_FILES_DIR}")
    file(MAKE_DIRECTORY "${APP_FILES_DIR}")
    file(CHMOD "${APP_FILES_DIR}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
        GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endif()
set(values 1 1 1 11111)
foreach(number RANGE 1 4)
    math(EXPR at "${number} - 1")
    list(GET values ${at} value)
    set(file "${APP_FILES_DIR}/AppFile${number}.DLL")
    if(NOT EXISTS "${file}")
        file(WRITE "${file}" "${value}\r\n")
        file(CHMOD "${file}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    endif()
endforeach()
