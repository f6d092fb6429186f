# Precompiled headers: the Qt, GoogleTest and CLI11 headers that most files include,
# parsed once per family of targets instead of once per file. Included by the
# top-level CMakeLists.txt after every folder, so that the folders' targets exist.
#
# GCC uses a precompiled header only where the compile agrees with the one that made
# it: the same -fPIC or -fPIE (static libraries apart from programs), and every macro
# defined then defined alike (a target may define more). So the first target of each
# family below that exists, which makes the header, is one with the fewest
# definitions, and one that none of the others is needed for: the others reuse its
# header, which makes them depend on it. With -Werror a header that does not fit
# fails the build rather than going unused.
# -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON builds without them.

# Other compilers check the options more strictly (Clang refuses a header made with
# other -D definitions); they build without, and so do cross builds (MinGW-w64), whose
# targets and definitions differ from the families below.
# A unity build (the default preset) builds without: it parses the headers once per
# batch of files already, and the headers' own build would only hold up its targets.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU" OR CMAKE_CROSSCOMPILING
   OR CMAKE_DISABLE_PRECOMPILE_HEADERS OR CMAKE_UNITY_BUILD)
    return()
endif()

# With a precompiled header GCC 12 no longer takes the C++ library's headers for system
# headers, and reports warnings in its inlined code: -Warray-bounds, -Wstringop-overflow
# and -Wstringop-overread then fail the build with GCC 12's known false positives on
# std::string (concatenation, find). The three are left to the builds without.
set(pad_precompiled_header_warnings -Wno-array-bounds -Wno-stringop-overflow
    -Wno-stringop-overread)

# pad_precompile(HEADERS <headers>... TARGETS <targets>...)
function(pad_precompile)
    cmake_parse_arguments(PARSE_ARGV 0 arg "" "" "HEADERS;TARGETS")
    set(maker "")
    foreach(target IN LISTS arg_TARGETS)
        if(NOT TARGET ${target})
            continue()
        endif()
        target_compile_options(${target} PRIVATE
                               "$<$<COMPILE_LANGUAGE:CXX>:${pad_precompiled_header_warnings}>")
        if(NOT maker)
            set(maker ${target})
            # C++ only: some targets also compile C (Wayland protocol code).
            # (The > of <header> would end the expression: $<ANGLE-R> stands for it.)
            list(TRANSFORM arg_HEADERS REPLACE "^<(.+)>$"
                 "$<$<COMPILE_LANGUAGE:CXX>:<\\1$<ANGLE-R>>")
            target_precompile_headers(${target} PRIVATE ${arg_HEADERS})
        else()
            target_precompile_headers(${target} REUSE_FROM ${maker})
        endif()
    endforeach()
endfunction()

set(pad_std_headers <functional> <memory> <optional> <string> <vector>)
set(pad_qt_core_headers <QByteArray> <QCoreApplication> <QObject> <QString> <QTimer>)
set(pad_qt_widgets_headers ${pad_qt_core_headers} <QAction> <QApplication> <QDialog>
    <QLabel> <QLineEdit> <QListWidget> <QMenu> <QPainter> <QPushButton> <QToolButton>
    <QWidget>)

# A family pays off where its files save more than its header costs (9 s for the Qt
# Widgets headers, 18 s with Qt Test's): the loader's three files, the dialogs' three
# Qt tests and the programs of a single file are left without.

# Qt Widgets: the libraries of the main window, the dialogs and the look, and the Qt
# tests of the main window (in one folder, as Qt Test defines the folder).
pad_precompile(HEADERS ${pad_std_headers} ${pad_qt_widgets_headers}
               TARGETS pad_look pad_dialogs pad_app pad_loader_window)
pad_precompile(HEADERS ${pad_std_headers} ${pad_qt_widgets_headers} <QtTest>
               TARGETS keyboard_tests mainwindow_tests language_tests hidpi_tests
                       tform1_download_test)

# Qt Core: PadLink's and HidBridge's link core and drivers (with hidden symbols) ...
pad_precompile(HEADERS ${pad_std_headers} ${pad_qt_core_headers}
               TARGETS pad_devicelink pad_padlink_driver pad_hidbridge_driver padlink
                       hidbridge)
# ... the keypad session, the loader link, the mode service's libraries ...
pad_precompile(HEADERS ${pad_std_headers} ${pad_qt_core_headers}
               TARGETS pad_keypad pad_modes_rules pad_loader_link
                       pad_app_command_line pad_keypad_padlink)
# ... those that talk D-Bus, and the mode service.
set(pad_qt_dbus_headers <QDBusConnection> <QDBusMessage>)
pad_precompile(HEADERS ${pad_std_headers} ${pad_qt_core_headers} ${pad_qt_dbus_headers}
               TARGETS pad_modes_bus pad_modes_control pad_modes_service)
# A header of their own: the focus library also compiles C, which CMake cannot give
# another target's header, and the service is a program.
foreach(target pad_modes_focus padconfig-modes)
    pad_precompile(HEADERS ${pad_std_headers} ${pad_qt_core_headers} ${pad_qt_dbus_headers}
                   TARGETS ${target})
endforeach()

# GoogleTest: the tests of the Qt-free libraries and of qd6 ...
pad_precompile(HEADERS ${pad_std_headers} <gtest/gtest.h>
               TARGETS common_tests editing_tests model_tests capture_tests texts_tests
                       qd6_tests qd6_import_tests loader_protocol_test view_tests keymap_tests)
# ... and those of the libraries on Qt Core.
pad_precompile(HEADERS ${pad_std_headers} ${pad_qt_core_headers} <gtest/gtest.h>
               TARGETS padlink_tests hidbridge_tests padlink_exports_tests
                       hidbridge_exports_tests download_run_test
                       command_line_tests loader_link_test loader_process_test modes_tests)

# qd6's command line.
pad_precompile(HEADERS ${pad_std_headers} <CLI/CLI.hpp> TARGETS qd6)

