# The Windows program as Qt's own deployment lays it out: the executable with the Qt DLLs and the
# compiler's runtime beside it, the platform plugin under platforms/, nothing more; then the
# settings, the licences, and a note on the Qt inside, so that a user can rebuild it and replace
# its DLLs as the LGPL allows. `cpack` packs that folder into the portable zip.
install_program_folder(. program)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::Core Qt6::Gui Qt6::Widgets
    RUNTIME DESTINATION . COMPONENT program)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsIntegrationPlugin
    LIBRARY DESTINATION platforms COMPONENT program)
install(FILES ${GLYPH_MINGW_RUNTIME} DESTINATION . COMPONENT program)

file(STRINGS "${GLYPH_WINDOWS_QT}/.debian-version" QT_DEBIAN_VERSION LIMIT_COUNT 1)
file(STRINGS "${GLYPH_WINDOWS_QT}/.features" qt_features)
list(JOIN qt_features "\n    " QT_FEATURES)
configure_file(windows/QT-SOURCE.txt.in QT-SOURCE.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE.txt LICENSE.txt NEWLINE_STYLE CRLF)
configure_file(/usr/share/common-licenses/LGPL-3 LICENSE-Qt-LGPL-3.txt COPYONLY)
configure_file(/usr/share/common-licenses/GPL-3 LICENSE-Qt-GPL-3.txt COPYONLY)
install(FILES
    ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt
    ${CMAKE_CURRENT_BINARY_DIR}/LICENSE-Qt-LGPL-3.txt
    ${CMAKE_CURRENT_BINARY_DIR}/LICENSE-Qt-GPL-3.txt
    ${CMAKE_CURRENT_BINARY_DIR}/QT-SOURCE.txt
    DESTINATION . COMPONENT program)

set(CPACK_PACKAGE_NAME glyphorbitaloscopex)
set(CPACK_PACKAGE_VENDOR "Quillmark Software")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-win64)
set(CPACK_GENERATOR ZIP)
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};program;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
include(CPack)
