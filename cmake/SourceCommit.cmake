# The commit the tree is built from, GLYPH_SOURCE_COMMIT, and the release's one clock,
# GLYPH_SOURCE_DATE_EPOCH: the commit's time, or SOURCE_DATE_EPOCH's when it is given. A build of
# the same source at another time or place then gives the same bytes: packing takes its file times
# from it, and strip its executables' time stamps. In a checkout git says both; in the source
# archive, which has no .git, git archive has written them into source-commit.txt.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/source-commit.txt archived LIMIT_COUNT 1)
if(archived MATCHES "^([0-9a-f]+) ([0-9]+)$")
    set(GLYPH_SOURCE_COMMIT ${CMAKE_MATCH_1})
    set(commit_time ${CMAKE_MATCH_2})
else()
    execute_process(COMMAND git log -1 --format=%H%n%ct WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE lines OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    # A commit, a checkout or a reset writes HEAD's log: the tree is configured again, and so
    # names the commit it is built from.
    execute_process(COMMAND git rev-parse --path-format=absolute --git-path logs/HEAD
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE head_log
        OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(EXISTS "${head_log}")
        set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
            ${head_log})
    endif()
    if(lines MATCHES "^([0-9a-f]+)\n([0-9]+)$")
        set(GLYPH_SOURCE_COMMIT ${CMAKE_MATCH_1})
        set(commit_time ${CMAKE_MATCH_2})
    else()
        set(GLYPH_SOURCE_COMMIT "(not built from a git checkout)")
        # 1980-01-01, the earliest time a zip holds.
        set(commit_time 315532800)
    endif()
endif()
if("$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
    set(GLYPH_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
    set(GLYPH_SOURCE_DATE_EPOCH ${commit_time})
endif()
