# The header-only libraries of the build machine (CLI11, nlohmann-json), for a cross
# build: their headers are the same for every target, but the build machine's /usr/include
# must not reach the cross compiler. Only their own folders are linked into the build
# tree, and find_package() finds them through the small config files written here.
set(host_include ${CMAKE_BINARY_DIR}/host-include)
set(host_packages ${CMAKE_BINARY_DIR}/host-packages)

# host_header_library(PACKAGE TARGET FOLDER): FOLDER of /usr/include as PACKAGE's TARGET.
function(host_header_library package target folder)
    if(NOT EXISTS /usr/include/${folder})
        message(FATAL_ERROR "/usr/include/${folder} is missing: install the package of ${package} "
                            "(scripts/install-deps)")
    endif()
    file(MAKE_DIRECTORY ${host_include})
    file(CREATE_LINK /usr/include/${folder} ${host_include}/${folder} SYMBOLIC)
    add_library(${target} INTERFACE IMPORTED GLOBAL)
    set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${host_include})
    file(WRITE ${host_packages}/${package}/${package}Config.cmake
         "# ${target} is made by cmake/HostHeaderLibraries.cmake.\n")
    set(${package}_DIR ${host_packages}/${package} CACHE PATH "" FORCE)
endfunction()

host_header_library(CLI11 CLI11::CLI11 CLI)
host_header_library(nlohmann_json nlohmann_json::nlohmann_json nlohmann)
