# Opening the macro manager and the key menu with 65,535 macros.
# Run: build/bin/dialogs_bench (uses the offscreen platform unless one is set)
if(PADCONFIG_BUILD_GUI AND TARGET padconfig_app)
    find_package(Qt6 REQUIRED COMPONENTS Widgets)
    add_executable(dialogs_bench ${CMAKE_CURRENT_LIST_DIR}/DialogsBench.cpp)
    target_link_libraries(dialogs_bench PRIVATE padconfig_app padconfig_dialogs test_support_ui
                                                benchmark::benchmark)
endif()
