# The Windows build's tests run under wine64 (cmake/wine-run.sh, the emulator of the
# toolchain) in the build's own prefix, build-windows/wine, made headless on first use.
#
# Each GoogleTest program runs as one CTest test: gtest_discover_tests would start wine
# once to list a program's cases and once more for each case. The fixture "wine" makes
# the prefix and starts its wineserver before the first test and ends it after the last.

set(PADCONFIG_WINEPREFIX ${CMAKE_BINARY_DIR}/wine)

add_test(NAME wine_start COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} cmd.exe /c exit 0)
add_test(NAME wine_stop COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --stop)
set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine)
set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)

# windows_test(TEST...): runs the tests in the build's wine prefix, after wine_start.
function(windows_test)
    set_property(TEST ${ARGN} APPEND PROPERTY ENVIRONMENT WINEPREFIX=${PADCONFIG_WINEPREFIX})
    set_property(TEST ${ARGN} APPEND PROPERTY FIXTURES_REQUIRED wine)
endfunction()
windows_test(wine_start wine_stop)
set_property(TEST wine_start wine_stop PROPERTY FIXTURES_REQUIRED)

# The test folders' gtest_discover_tests(TARGET [PROPERTIES ...]) on Windows: the whole
# program as one test named after it, with the given properties.
function(gtest_discover_tests target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "DISCOVERY_TIMEOUT" "PROPERTIES")
    add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
    if(arg_PROPERTIES)
        set_tests_properties(${target} PROPERTIES ${arg_PROPERTIES})
    endif()
    windows_test(${target})
endfunction()
