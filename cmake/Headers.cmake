# glyph_export_headers(TARGET)
# TARGET's users include the headers of its source folder, and only those, by the folder's path
# under src/ ("platform/clock.h"): TARGET's own folder in the build tree holds a link to each of
# them under that path. A header of another folder, or of a folder below, is then found only
# through the library that holds it. A header added or removed reconfigures the tree.
function(glyph_export_headers target)
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
    set(include_dir ${PROJECT_BINARY_DIR}/include/${target})
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    file(REMOVE_RECURSE ${include_dir}/${folder})
    file(MAKE_DIRECTORY ${include_dir}/${folder})
    foreach(header IN LISTS headers)
        get_filename_component(name ${header} NAME)
        file(CREATE_LINK ${header} ${include_dir}/${folder}/${name} SYMBOLIC COPY_ON_ERROR)
    endforeach()
    target_include_directories(${target} PUBLIC ${include_dir})
endfunction()

# glyph_generated_header(TARGET TEMPLATE)
# TARGET's users include the header configured from TEMPLATE (NAME.h.in, with @VARIABLE@s of the
# build) as its folder's NAME.h, like the headers of the folder itself.
function(glyph_generated_header target template)
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
    set(include_dir ${PROJECT_BINARY_DIR}/generated/${target})
    get_filename_component(name ${template} NAME_WLE)
    configure_file(${template} ${include_dir}/${folder}/${name} @ONLY)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL INTERFACE_LIBRARY)
        target_include_directories(${target} INTERFACE ${include_dir})
    else()
        target_include_directories(${target} PUBLIC ${include_dir})
    endif()
endfunction()
