# PadConfig's start-up against an empty Qt main window with a menu bar: time from
# launch to the window mapped, and peak memory then. Run: tests/bench/startup.sh
# (needs xvfb-run; see the README).
if(PADCONFIG_BUILD_GUI AND TARGET padconfig)
    find_path(XCB_INCLUDE_DIR xcb/xcb.h)
    find_library(XCB_LIBRARY xcb)
    if(XCB_INCLUDE_DIR AND XCB_LIBRARY)
        find_package(Qt6 REQUIRED COMPONENTS Widgets)
        add_executable(startup_watch ${CMAKE_CURRENT_LIST_DIR}/StartupWatch.cpp)
        target_include_directories(startup_watch PRIVATE ${XCB_INCLUDE_DIR})
        target_link_libraries(startup_watch PRIVATE ${XCB_LIBRARY})
        add_executable(empty_window_bench ${CMAKE_CURRENT_LIST_DIR}/EmptyWindow.cpp)
        target_link_libraries(empty_window_bench PRIVATE Qt6::Widgets)
    endif()
endif()
