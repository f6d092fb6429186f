# The Windows build's tests run under wine64 (cmake/wine-run.sh, the emulator of the
# toolchain) in the build's own prefix, build-windows/wine, made headless on first use.
#
# Each GoogleTest program runs as one CTest test: gtest_discover_tests would start wine
# once to list a program's cases and once more for each case. The fixture "wine" makes
# the prefix and starts its wineserver before the first test and ends it after the last.

# Built on Windows itself (MSYS2) there is no emulator, and the tests run as they are.
set(PADCONFIG_WINEPREFIX ${CMAKE_BINARY_DIR}/wine)
set(PADCONFIG_UNDER_WINE FALSE)
if(CMAKE_CROSSCOMPILING_EMULATOR)
    set(PADCONFIG_UNDER_WINE TRUE)
    add_test(NAME wine_start COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} cmd.exe /c exit 0)
    add_test(NAME wine_stop COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --stop)
    set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine)
    set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)
endif()

# windows_test(TEST...): runs the tests in the build's wine prefix, after wine_start;
# without wine64 they are reported skipped (wine-run.sh exits 77).
function(windows_test)
    if(PADCONFIG_UNDER_WINE)
        set_property(TEST ${ARGN} APPEND PROPERTY ENVIRONMENT
                                                  WINEPREFIX=${PADCONFIG_WINEPREFIX})
        set_property(TEST ${ARGN} APPEND PROPERTY FIXTURES_REQUIRED wine)
        set_property(TEST ${ARGN} PROPERTY SKIP_RETURN_CODE 77)
    endif()
endfunction()
if(PADCONFIG_UNDER_WINE)
    windows_test(wine_start wine_stop)
    set_property(TEST wine_start wine_stop PROPERTY FIXTURES_REQUIRED)
endif()

# The test folders' gtest_discover_tests(TARGET [PROPERTIES ...]) on Windows: the whole
# program as one test named after it, with the given properties. The cases a folder
# names in <TARGET>_MAY_SKIP (a GoogleTest filter) need what wine may lack: they run as
# the test <TARGET>_may_skip, which CTest reports skipped when they skip, with their
# reason in its output.
function(gtest_discover_tests target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "DISCOVERY_TIMEOUT" "PROPERTIES")
    set(tests ${target})
    set(filter "")
    if(${target}_MAY_SKIP)
        set(filter --gtest_filter=-${${target}_MAY_SKIP})
        add_test(NAME ${target}_may_skip
                 COMMAND ${target} --gtest_brief=1 --gtest_filter=${${target}_MAY_SKIP})
        set_tests_properties(${target}_may_skip PROPERTIES SKIP_REGULAR_EXPRESSION
                                                           "\\[  SKIPPED \\]")
        list(APPEND tests ${target}_may_skip)
    endif()
    add_test(NAME ${target} COMMAND ${target} --gtest_brief=1 ${filter})
    if(arg_PROPERTIES)
        set_tests_properties(${tests} PROPERTIES ${arg_PROPERTIES})
    endif()
    windows_test(${tests})
endfunction()
