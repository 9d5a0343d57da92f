# Writes the time the sources were last changed, in seconds since 1970 (UTC), to OUTPUT, and
# leaves OUTPUT alone when it already holds it, so that what is dated by it (the manual pages,
# the package's file times) is rebuilt only when it changes:
#   cmake -DSOURCE_DIR=... -DFALLBACK_DATE=YYYY-MM-DD -DOUTPUT=... -P SourceDate.cmake
# The time is SOURCE_DATE_EPOCH when the environment sets it (the reproducible-builds
# convention), else the last commit's, else the release day (a source tree without git).
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(epoch "$ENV{SOURCE_DATE_EPOCH}")
else()
    execute_process(COMMAND git -C "${SOURCE_DIR}" log -1 --format=%ct
        OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
        RESULT_VARIABLE result ERROR_QUIET)
    if(NOT result EQUAL 0 OR NOT epoch MATCHES "^[0-9]+$")
        # The release day at midnight, UTC.
        execute_process(COMMAND date -u -d "${FALLBACK_DATE}" +%s
            OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE)
    endif()
endif()
if(NOT epoch MATCHES "^[0-9]+$")
    message(FATAL_ERROR "no source date: SOURCE_DATE_EPOCH '${epoch}'")
endif()
set(old "")
if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL "${epoch}\n")
    file(WRITE "${OUTPUT}" "${epoch}\n")
endif()
