# The program's Windows resources: its icon, its manifest and its version information, all made
# from the project's version. Sets glyph_resource_script, the script a target adds to its sources.
set(glyph_manifest ${PROJECT_BINARY_DIR}/glyphorbitaloscopex.manifest)
set(glyph_resource_script ${PROJECT_BINARY_DIR}/glyphorbitaloscopex.rc)
configure_file(${CMAKE_CURRENT_LIST_DIR}/glyphorbitaloscopex.manifest.in ${glyph_manifest} @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/glyphorbitaloscopex.rc.in ${glyph_resource_script} @ONLY)
# windres reports no dependencies: without this a changed icon or manifest would leave the old one
# built in.
set_source_files_properties(${glyph_resource_script} PROPERTIES
    OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/resources/icons/app.ico;${glyph_manifest}")
