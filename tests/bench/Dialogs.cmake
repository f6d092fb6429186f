# Opening the macro manager and the key menu with 65,535 macros.
# Run: build/bin/dialogs_bench (uses the offscreen platform unless one is set)
if(PADCONFIG_BUILD_GUI AND TARGET pad_app)
    find_package(Qt6 REQUIRED COMPONENTS Widgets)
    add_executable(dialogs_bench ${CMAKE_CURRENT_LIST_DIR}/DialogsBench.cpp)
    target_link_libraries(dialogs_bench PRIVATE pad_app pad_dialogs pad_test_support_ui
                                                benchmark::benchmark)
endif()
