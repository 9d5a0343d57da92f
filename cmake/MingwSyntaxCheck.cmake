# Syntax-checks every Windows-only source with the mingw-w64 cross compiler against the host's
# Qt headers. Run by CTest as the test "windows_sources".
string(REPLACE "|" ";" qt_includes "${QT_INCLUDES}")
list(REMOVE_DUPLICATES qt_includes)
set(include_flags -I${SOURCE_DIR}/src)
foreach(dir ${qt_includes})
    list(APPEND include_flags -I${dir})
endforeach()

file(GLOB_RECURSE windows_sources
    ${SOURCE_DIR}/src/app/win/*.cpp
    ${SOURCE_DIR}/src/device/winmm/*.cpp)
if(NOT windows_sources)
    message(FATAL_ERROR "no Windows sources found under ${SOURCE_DIR}/src")
endif()

set(failed 0)
foreach(source ${windows_sources})
    execute_process(
        COMMAND ${MINGW_CXX} -std=c++17 -fsyntax-only -w -DUNICODE -D_UNICODE
                -DTARK9_VERSION_TEXT="0.0.0.0" ${include_flags} ${source}
        RESULT_VARIABLE result
        ERROR_VARIABLE errors)
    if(result EQUAL 0)
        message(STATUS "ok      ${source}")
    else()
        message(STATUS "FAILED  ${source}\n${errors}")
        set(failed 1)
    endif()
endforeach()
if(failed)
    message(FATAL_ERROR "the Windows sources do not compile")
endif()
