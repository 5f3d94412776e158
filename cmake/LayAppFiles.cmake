# Writes the settings files with their install-time values into the folder SETTINGS_FOLDER in
# PROGRAM_DIR, leaving every file that already exists as it is: it holds the user's settings.
# SETTINGS_FILES names the files in their order, separated by commas.
foreach(variable PROGRAM_DIR SETTINGS_FOLDER SETTINGS_FILES)
    if(NOT ${variable})
        message(FATAL_ERROR "${variable} is not set")
    endif()
endforeach()
string(REPLACE "," ";" names "${SETTINGS_FILES}")
set(values 1 1 1 11111)
# What is made here gets rights of its own, not the umask's, so that every package holds the same.
set(folder "${PROGRAM_DIR}/${SETTINGS_FOLDER}")
if(NOT EXISTS "${folder}")
    file(MAKE_DIRECTORY "${folder}")
    file(CHMOD "${folder}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
        GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endif()
foreach(name value IN ZIP_LISTS names values)
    set(file "${folder}/${name}")
    if(NOT EXISTS "${file}")
        file(WRITE "${file}" "${value}\r\n")
        file(CHMOD "${file}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    endif()
endforeach()
