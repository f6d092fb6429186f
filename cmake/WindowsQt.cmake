# Qt for Windows in the cross build. No package archive holds one, so the build takes
# an unpacked Qt for MinGW-w64 from PADCONFIG_WINDOWS_QT (the windows preset points it
# at build-windows/qt6-mingw-6.4.2, where scripts/unpack-windows-qt puts it). Qt's host
# tools (moc, rcc, uic) are the build machine's Qt of the same version (QT_HOST_PATH).
# Without it the Qt programs are left out and the libraries, qd6.exe and their tests
# are built as before. This does what Qt's own qt.toolchain.cmake does, so that the
# windows preset keeps its one toolchain file.
set(PADCONFIG_WINDOWS_QT "" CACHE PATH "Qt for Windows (MinGW-w64): the folder holding lib/cmake/Qt6")
set(PADCONFIG_WINDOWS_QT_FOUND FALSE)
if(PADCONFIG_WINDOWS_QT AND EXISTS ${PADCONFIG_WINDOWS_QT}/lib/cmake/Qt6/Qt6Config.cmake)
    set(PADCONFIG_WINDOWS_QT_FOUND TRUE)
    list(PREPEND CMAKE_PREFIX_PATH ${PADCONFIG_WINDOWS_QT}/lib/cmake)
    list(PREPEND CMAKE_FIND_ROOT_PATH ${PADCONFIG_WINDOWS_QT})
    if(NOT QT_HOST_PATH)
        set(QT_HOST_PATH /usr CACHE PATH "The build machine's Qt, whose tools the cross build runs")
    endif()
    message(STATUS "Qt for Windows: ${PADCONFIG_WINDOWS_QT}")
else()
    message(STATUS "No Qt for Windows at '${PADCONFIG_WINDOWS_QT}': PadConfig.exe and "
                   "Qd6LoaderS.exe are not built and their tests are skipped. Unpack it with "
                   "scripts/unpack-windows-qt (README, Windows).")
endif()

# What the Qt programs need beside them at run time, copied into the programs' folder
# (bin/): the Qt DLLs, the platform plugin, the Windows Vista style and the MinGW
# runtime DLLs that the Qt DLLs link (the suite's own programs link it statically).
# libstdc++ is stripped on the way: it comes with its debug information.
if(PADCONFIG_WINDOWS_QT_FOUND)
    set(mingw_gcc_dir /usr/lib/gcc/${PADCONFIG_MINGW_TRIPLET}/12-posix)
    set(qt_runtime_files
        bin/Qt6Core.dll:.
        bin/Qt6Gui.dll:.
        bin/Qt6Widgets.dll:.
        plugins/platforms/qwindows.dll:platforms
        plugins/styles/qwindowsvistastyle.dll:styles)
    set(qt_runtime_outputs "")
    set(qt_runtime_commands "")
    foreach(entry IN LISTS qt_runtime_files)
        string(REPLACE ":" ";" entry ${entry})
        list(GET entry 0 file)
        list(GET entry 1 folder)
        get_filename_component(name ${file} NAME)
        set(out ${CMAKE_BINARY_DIR}/bin/${folder}/${name})
        list(APPEND qt_runtime_outputs ${out})
        list(APPEND qt_runtime_commands
             COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PADCONFIG_WINDOWS_QT}/${file} ${out})
    endforeach()
    find_program(PADCONFIG_MINGW_STRIP ${PADCONFIG_MINGW_TRIPLET}-strip REQUIRED)
    set(bin ${CMAKE_BINARY_DIR}/bin)
    add_custom_command(
        OUTPUT ${qt_runtime_outputs} ${bin}/libstdc++-6.dll ${bin}/libgcc_s_seh-1.dll
               ${bin}/libwinpthread-1.dll
        COMMAND ${CMAKE_COMMAND} -E make_directory ${bin}/platforms ${bin}/styles
        ${qt_runtime_commands}
        COMMAND ${PADCONFIG_MINGW_STRIP} --strip-unneeded -o ${bin}/libstdc++-6.dll
                ${mingw_gcc_dir}/libstdc++-6.dll
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${mingw_gcc_dir}/libgcc_s_seh-1.dll
                /usr/${PADCONFIG_MINGW_TRIPLET}/lib/libwinpthread-1.dll ${bin}
        COMMENT "Copying the Qt DLLs and plugins and the MinGW runtime into bin/"
        VERBATIM)
    add_custom_target(windows_qt_runtime DEPENDS ${qt_runtime_outputs})
endif()
