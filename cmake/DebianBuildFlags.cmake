# The package build compiles and links with the flags Debian builds its own packages with, as
# dpkg-buildflags gives them: stack protector, _FORTIFY_SOURCE=2, format checks, full RELRO and
# immediate binding (-z now, which dpkg only adds with the "hardening=+all" feature). The
# developer build keeps the compiler's defaults, which sanitizer and debug builds rely on.
option(TARK9_DEBIAN_BUILDFLAGS "Compile and link with the flags dpkg-buildflags gives (the Debian package)" OFF)
if(NOT TARK9_DEBIAN_BUILDFLAGS)
    return()
endif()

find_program(TARK9_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT TARK9_DPKG_BUILDFLAGS)
    message(FATAL_ERROR "TARK9_DEBIAN_BUILDFLAGS needs dpkg-buildflags (tools/deps.sh --package installs it)")
endif()
# Run from the source folder: dpkg maps that folder to "." in debug information and __FILE__
# (-ffile-prefix-map), so that the package does not depend on where it was built.
set(dpkg_features "DEB_BUILD_MAINT_OPTIONS=hardening=+all")
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env ${dpkg_features} ${TARK9_DPKG_BUILDFLAGS} --get ${kind}
        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
        OUTPUT_VARIABLE dpkg_${kind} OUTPUT_STRIP_TRAILING_WHITESPACE
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed")
    endif()
endforeach()
string(APPEND CMAKE_CXX_FLAGS " ${dpkg_CPPFLAGS} ${dpkg_CXXFLAGS}")
string(APPEND CMAKE_EXE_LINKER_FLAGS " ${dpkg_LDFLAGS}")
string(APPEND CMAKE_SHARED_LINKER_FLAGS " ${dpkg_LDFLAGS}")
# dpkg's optimisation level (-O2) and debug information (-g, stripped when packaged) hold: the
# build type adds only NDEBUG.
set(CMAKE_CXX_FLAGS_RELEASE "-DNDEBUG")
set(TARK9_BUILDFLAGS_SUMMARY "dpkg-buildflags (${dpkg_features})")
