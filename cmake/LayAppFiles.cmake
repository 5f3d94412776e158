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
file(MAKE_DIRECTORY "${PROGRAM_DIR}/${SETTINGS_FOLDER}")
foreach(name value IN ZIP_LISTS names values)
    set(file "${PROGRAM_DIR}/${SETTINGS_FOLDER}/${name}")
    if(NOT EXISTS "${file}")
        file(WRITE "${file}" "${value}\r\n")
    endif()
endforeach()
