# Run by cpack once it has packed (CPACK_POST_BUILD_SCRIPTS). CPack writes files in the order the
# file system lists them, with the owner who built them and the rights the umask left; each
# package is made again with its files sorted by name, owned by no one of this machine and with
# fixed rights, so that every build packs the same bytes. The times are the build's one clock
# already (reproducible.cmake).
foreach(package ${CPACK_PACKAGE_FILES})
    if(package MATCHES "\\.zip$")
        execute_process(COMMAND strip-nondeterminism --type zip
            --timestamp $ENV{SOURCE_DATE_EPOCH} ${package} COMMAND_ERROR_IS_FATAL ANY)
    elseif(package MATCHES "\\.tar\\.gz$")
        set(unpacked ${CPACK_TOPLEVEL_DIRECTORY}/sorting)
        file(REMOVE_RECURSE ${unpacked})
        file(MAKE_DIRECTORY ${unpacked})
        execute_process(COMMAND tar -xpzf ${package} -C ${unpacked} COMMAND_ERROR_IS_FATAL ANY)
        execute_process(
            COMMAND tar -cf - --sort=name --owner=0 --group=0 --numeric-owner --mode=go-w,a+rX
                --mtime=@$ENV{SOURCE_DATE_EPOCH} -C ${unpacked} ${CPACK_PACKAGE_FILE_NAME}
            COMMAND gzip -9n
            OUTPUT_FILE ${package} COMMAND_ERROR_IS_FATAL ANY)
        file(REMOVE_RECURSE ${unpacked})
    endif()
endforeach()
