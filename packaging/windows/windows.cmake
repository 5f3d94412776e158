# The Windows program as Qt's own deployment lays it out: the executable with the Qt DLLs and the
# compiler's runtime beside it, the platform plugin under platforms/, nothing more; then the
# settings, the licences, and a note on the Qt inside, so that a user can rebuild it and replace
# its DLLs as the LGPL allows. `cpack` packs that folder into the portable zip.
install_program_folder(. program)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::Core Qt6::Gui Qt6::Widgets
    RUNTIME DESTINATION . COMPONENT program)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsIntegrationPlugin
    LIBRARY DESTINATION platforms COMPONENT program)
if(MINGW)
    include(${PROJECT_SOURCE_DIR}/cmake/MingwRuntime.cmake)
    install(FILES ${GLYPH_MINGW_RUNTIME} DESTINATION . COMPONENT program)
endif()

# Text files in Windows' line endings, so that Notepad of any age shows them as written.
set(notices LICENSE.txt LICENSE-Qt-LGPL-3.txt LICENSE-Qt-GPL-3.txt)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE.txt LICENSE.txt NEWLINE_STYLE CRLF)
foreach(licence LICENSE-Qt-LGPL-3.txt LICENSE-Qt-GPL-3.txt)
    configure_file(windows/${licence} ${licence} NEWLINE_STYLE CRLF)
endforeach()
# Where Qt was built here from Debian's source, the note says which and how.
if(GLYPH_WINDOWS_QT)
    file(STRINGS "${GLYPH_WINDOWS_QT}/.debian-version" QT_DEBIAN_VERSION LIMIT_COUNT 1)
    file(STRINGS "${GLYPH_WINDOWS_QT}/.features" qt_features)
    list(JOIN qt_features "\n    " QT_FEATURES)
    configure_file(windows/QT-SOURCE.txt.in QT-SOURCE.txt @ONLY NEWLINE_STYLE CRLF)
    list(APPEND notices QT-SOURCE.txt)
endif()
list(TRANSFORM notices PREPEND ${CMAKE_CURRENT_BINARY_DIR}/)
install(FILES ${notices} DESTINATION . COMPONENT program)

set(CPACK_PACKAGE_NAME glyphorbitaloscopex)
set(CPACK_PACKAGE_VENDOR "Quillmark Software")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-win64)
set(CPACK_GENERATOR ZIP)
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};program;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
include(CPack)
