# Syntax-checks every Windows-only source with the mingw-w64 cross compiler against the host's
# Qt headers. Run by CTest as the test "windows_sources".
string(REPLACE "|" ";" qt_includes "${QT_INCLUDES}")
list(REMOVE_DUPLICATES qt_includes)
set(include_flags -I${SOURCE_DIR}/src)
foreach(dir ${qt_includes})
    list(APPEND include_flags -I${dir})
endforeach()

# Every platform folder is named after its platform (src/CMakeLists.txt): all "windows" ones.
file(GLOB_RECURSE all_sources ${SOURCE_DIR}/src/*.cpp)
set(windows_sources ${all_sources})
list(FILTER windows_sources INCLUDE REGEX "/windows/[^/]+\\.cpp$")
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
# The version resource, filled in as the Windows build does, through the resource compiler.
get_filename_component(mingw_dir ${MINGW_CXX} DIRECTORY)
find_program(MINGW_WINDRES x86_64-w64-mingw32-windres HINTS ${mingw_dir})
if(MINGW_WINDRES)
    set(PROJECT_VERSION_MAJOR 1)
    set(PROJECT_VERSION_MINOR 2)
    set(PROJECT_VERSION_PATCH 3)
    set(PROJECT_VERSION_TWEAK 4)
    set(PROJECT_VERSION 1.2.3.4)
    configure_file(${SOURCE_DIR}/src/app/windows/version.rc.in ${BINARY_DIR}/windows_check/version.rc @ONLY)
    execute_process(
        COMMAND ${MINGW_WINDRES} ${BINARY_DIR}/windows_check/version.rc -O coff -o ${BINARY_DIR}/windows_check/version.res
        RESULT_VARIABLE result
        ERROR_VARIABLE errors)
    if(result EQUAL 0)
        message(STATUS "ok      version.rc")
    else()
        message(STATUS "FAILED  version.rc\n${errors}")
        set(failed 1)
    endif()
endif()

if(failed)
    message(FATAL_ERROR "the Windows sources do not compile")
endif()
