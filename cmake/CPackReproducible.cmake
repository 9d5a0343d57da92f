# Read by cpack before it packs (CPACK_PROJECT_CONFIG_FILE): dates every file of the package by
# the time the build's sources were last changed, which the build wrote for it, so that two
# package builds of one commit give identical packages. SOURCE_DATE_EPOCH set by the caller
# takes precedence, as the reproducible-builds convention has it.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH} AND EXISTS "${CPACK_TARK9_SOURCE_DATE_FILE}")
    file(READ "${CPACK_TARK9_SOURCE_DATE_FILE}" epoch)
    string(STRIP "${epoch}" epoch)
    set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
endif()
