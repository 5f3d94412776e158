# The Windows program as Qt's own deployment lays it out: the executable with the Qt DLLs and the
# compiler's runtime beside it, the platform plugin under platforms/, nothing more; then the
# settings, the licences, and a note on the Qt inside, so that a user can rebuild it and replace
# its DLLs as the LGPL allows. `cpack` packs that folder into the portable zip.
install_program_folder(. program)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::Core Qt6::Gui Qt6::Widgets
    RUNTIME DESTINATION . COMPONENT program)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsIntegrationPlugin
    LIBRARY DESTINATION platforms COMPONENT program)
# Without its style plugin Qt on Windows draws the classic grey bevels of Windows 2000.
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsVistaStylePlugin
    LIBRARY DESTINATION styles COMPONENT program)
if(MINGW)
    # Debian's runtime DLLs keep their symbols, which more than double the download.
    include(${PROJECT_SOURCE_DIR}/cmake/MingwRuntime.cmake)
    set(stripped_runtime)
    foreach(dll ${GLYPH_MINGW_RUNTIME})
        get_filename_component(name ${dll} NAME)
        set(stripped ${CMAKE_CURRENT_BINARY_DIR}/runtime/${name})
        add_custom_command(OUTPUT ${stripped} DEPENDS ${dll}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/runtime
            COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${GLYPH_SOURCE_DATE_EPOCH}
                ${CMAKE_STRIP} --strip-unneeded -o ${stripped} ${dll} VERBATIM)
        list(APPEND stripped_runtime ${stripped})
    endforeach()
    add_custom_target(stripped_runtime ALL DEPENDS ${stripped_runtime})
    install(FILES ${stripped_runtime} DESTINATION . COMPONENT program)
endif()

# The settings' names for the setup, which scripts/build-windows lays beside its stage.
list(TRANSFORM GLYPH_SETTINGS_FILES REPLACE "(.+)" "    !insertmacro \${MACRO} \"\${FOLDER}\" \"\\1\""
    OUTPUT_VARIABLE settings_lines)
list(JOIN settings_lines "\n" settings_lines)
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/settings.nsh @ONLY CONTENT "\
; The settings' folder and files, as the build names them.
!define SETTINGS \"@GLYPH_SETTINGS_FOLDER@\"
; ForEachSettingsFile MACRO FOLDER: inserts MACRO FOLDER NAME for the name of each settings file.
!macro ForEachSettingsFile MACRO FOLDER
@settings_lines@
!macroend
")

# Text files in Windows' line endings, so that Notepad of any age shows them as written.
set(notices LICENSE.txt LICENSE-Qt-LGPL-3.txt LICENSE-Qt-GPL-3.txt)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE.txt LICENSE.txt NEWLINE_STYLE CRLF)
foreach(licence LICENSE-Qt-LGPL-3.txt LICENSE-Qt-GPL-3.txt)
    configure_file(windows/${licence} ${licence} NEWLINE_STYLE CRLF)
endforeach()
# Where Qt was built here from Debian's source, the note says which and how, and where this
# program's own source is; the notices name the third-party code inside those very DLLs.
if(GLYPH_WINDOWS_QT)
    file(STRINGS "${GLYPH_WINDOWS_QT}/.debian-version" QT_DEBIAN_VERSION LIMIT_COUNT 1)
    file(STRINGS "${GLYPH_WINDOWS_QT}/.features" qt_features)
    list(JOIN qt_features "\n    " QT_FEATURES)
    set(GLYPH_SOURCE_URL "https://git.example.com/quillmark/glyphorbitaloscopex.git"
        CACHE STRING "Where this program's source is published")
    # For scripts/build-windows, whose source archive holds this very commit.
    file(WRITE ${PROJECT_BINARY_DIR}/source-commit.txt "${GLYPH_SOURCE_COMMIT}\n")
    file(WRITE ${PROJECT_BINARY_DIR}/source-date-epoch.txt "${GLYPH_SOURCE_DATE_EPOCH}\n")
    configure_file(windows/QT-SOURCE.txt.in QT-SOURCE.txt @ONLY NEWLINE_STYLE CRLF)
    list(APPEND notices QT-SOURCE.txt)

    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    set(GLYPH_GCC_COPYRIGHT /usr/share/doc/gcc-mingw-w64-base/copyright
        CACHE FILEPATH "Debian's copyright file of the GCC runtime for MinGW-w64")
    set(GLYPH_MINGW_COPYRIGHT /usr/share/doc/mingw-w64-common/copyright
        CACHE FILEPATH "Debian's copyright file of MinGW-w64's runtime, winpthreads included")
    set(generator ${PROJECT_SOURCE_DIR}/cmake/third_party_notices.py)
    # The runtime's files and Qt's entry point are found in what was linked: the program and the
    # runtime DLLs before they are stripped, their symbols and debugging information naming them.
    add_custom_command(OUTPUT THIRD-PARTY-NOTICES.txt
        COMMAND Python3::Interpreter ${generator} ${CMAKE_OBJDUMP}
            ${GLYPH_WINDOWS_QT}/attribution ${GLYPH_GCC_COPYRIGHT} ${GLYPH_MINGW_COPYRIGHT}
            THIRD-PARTY-NOTICES.txt $<TARGET_FILE:glyphorbitaloscopex> ${GLYPH_MINGW_RUNTIME}
        DEPENDS ${generator} ${GLYPH_WINDOWS_QT}/attribution/compiled-files.txt
            ${GLYPH_GCC_COPYRIGHT} ${GLYPH_MINGW_COPYRIGHT} glyphorbitaloscopex
            ${GLYPH_MINGW_RUNTIME} VERBATIM)
    add_custom_target(third_party_notices ALL DEPENDS THIRD-PARTY-NOTICES.txt)
    list(APPEND notices THIRD-PARTY-NOTICES.txt)
endif()
list(TRANSFORM notices PREPEND ${CMAKE_CURRENT_BINARY_DIR}/)
install(FILES ${notices} DESTINATION . COMPONENT program)

set(CPACK_PACKAGE_NAME glyphorbitaloscopex)
set(CPACK_PACKAGE_VENDOR "Quillmark Software")
set(CPACK_PACKAGE_VERSION ${GLYPH_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-win64)
set(CPACK_GENERATOR ZIP)
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};program;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
include(CPack)
