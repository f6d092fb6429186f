# Run at build time (cmake -P) before makensis: lists what the installer takes from the
# build, as it is there now, into three files:
#   OUT_DIR/install-files.nsh    the installer's File lines, folder by folder
#   OUT_DIR/uninstall-files.nsh  the uninstaller's Delete and RMDir lines for them
#   OUT_DIR/installed-files.txt  their paths below the program folder, one a line
# BIN_DIR is the build's bin/ and LANG_DIR its language files. The suite's programs and
# DLLs, the help page and the language files must be there; PadConfig, the loader and
# Qt's DLLs, plugins and translations are taken when they are there.
cmake_minimum_required(VERSION 3.25)
set(required qd6.exe padconfig-modes.exe PadLink.dll HidBridge.dll CV12HLP.htm)
set(optional PadConfig.exe Qd6LoaderS.exe)

set(files "") # relative to BIN_DIR, or "lang/NAME" for a language file
foreach(name IN LISTS required optional)
    # Windows names are found in any case (a target named padconfig makes padconfig.exe).
    file(GLOB found RELATIVE ${BIN_DIR} ${BIN_DIR}/*)
    set(match "")
    foreach(candidate IN LISTS found)
        string(TOLOWER "${candidate}" lower_candidate)
        string(TOLOWER "${name}" lower_name)
        if(lower_candidate STREQUAL lower_name AND NOT IS_DIRECTORY ${BIN_DIR}/${candidate})
            set(match ${candidate})
        endif()
    endforeach()
    if(match)
        list(APPEND files ${match})
    elseif(name IN_LIST required)
        message(FATAL_ERROR "The installer needs ${BIN_DIR}/${name}: build it first")
    endif()
endforeach()
# Qt's and MinGW's DLLs beside the programs, and Qt's plugin and translation folders.
file(GLOB dlls RELATIVE ${BIN_DIR} ${BIN_DIR}/Qt6*.dll ${BIN_DIR}/libstdc++-6.dll
     ${BIN_DIR}/libgcc_s_seh-1.dll ${BIN_DIR}/libwinpthread-1.dll)
file(GLOB_RECURSE qt_files RELATIVE ${BIN_DIR} ${BIN_DIR}/platforms/* ${BIN_DIR}/styles/*
     ${BIN_DIR}/imageformats/* ${BIN_DIR}/translations/*)
list(APPEND files ${dlls} ${qt_files})

file(GLOB language_files RELATIVE ${LANG_DIR} ${LANG_DIR}/UILANG-*.lng)
if(NOT language_files)
    message(FATAL_ERROR "No language files in ${LANG_DIR}")
endif()

set(install "")
set(uninstall "")
set(listed "")
set(folders "")
set(current_folder "-")
# Each file with where it comes from and where it goes (relative, "/" separated).
set(entries "")
foreach(file IN LISTS files)
    list(APPEND entries "${BIN_DIR}/${file}|${file}")
endforeach()
foreach(file IN LISTS language_files)
    list(APPEND entries "${LANG_DIR}/${file}|lang/${file}")
endforeach()
list(SORT entries)
foreach(entry IN LISTS entries)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 source)
    list(GET parts 1 target)
    get_filename_component(folder "${target}" DIRECTORY)
    string(REPLACE "/" "\\" windows_target "${target}")
    string(REPLACE "/" "\\" windows_folder "${folder}")
    if(NOT folder STREQUAL current_folder)
        if(folder)
            string(APPEND install "SetOutPath \"$INSTDIR\\${windows_folder}\"\n")
            # The folder and those above it, which the uninstaller removes when empty.
            set(up "${folder}")
            while(up)
                string(REPLACE "/" "\\" windows_up "${up}")
                list(APPEND folders "${windows_up}")
                get_filename_component(up "${up}" DIRECTORY)
            endwhile()
        else()
            string(APPEND install "SetOutPath \"$INSTDIR\"\n")
        endif()
        set(current_folder "${folder}")
    endif()
    string(APPEND install "File \"${source}\"\n")
    string(APPEND uninstall "Delete \"$INSTDIR\\${windows_target}\"\n")
    string(APPEND listed "${target}\n")
endforeach()
# The folders, deepest first, and only when empty: a file the user put there stays.
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
    string(APPEND uninstall "RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()

file(WRITE ${OUT_DIR}/install-files.nsh "${install}")
file(WRITE ${OUT_DIR}/uninstall-files.nsh "${uninstall}")
file(WRITE ${OUT_DIR}/installed-files.txt "${listed}")
