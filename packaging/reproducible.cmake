# Read by cpack before it lays and packs each package (CPACK_PROJECT_CONFIG_FILE). Both take their
# time from SOURCE_DATE_EPOCH: the archive's file times, and the time stamp that strip writes into
# each Windows executable and DLL. Set to the build's one clock, two packs of the same build are
# the same bytes whenever and wherever cpack runs.
set(ENV{SOURCE_DATE_EPOCH} ${CPACK_GLYPH_SOURCE_DATE_EPOCH})
