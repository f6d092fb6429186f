# Run by cpack after it has built the packages (CPACK_POST_BUILD_SCRIPTS): mends the
# padconfig-dbgsym .ddeb that CPack writes, the way Debian's own debug-symbol
# packages are:
#  - DEBIAN/md5sums lists the files by their path inside the package (CPack 3.25
#    writes the paths of its staging folder);
#  - the debug files are plain data (0644), not programs;
#  - usr/share/doc/padconfig-dbgsym is a link to the doc folder of padconfig, on
#    which the package depends with the same version, for the copyright and
#    changelog.
find_program(DPKG_DEB dpkg-deb)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "\\.ddeb$")
        continue()
    endif()
    if(NOT DPKG_DEB)
        message(WARNING "dpkg-deb is missing: ${package} is left as CPack wrote it")
        continue()
    endif()
    set(tree ${CPACK_TOPLEVEL_DIRECTORY}/ddeb-tree)
    file(REMOVE_RECURSE ${tree})
    execute_process(COMMAND ${DPKG_DEB} --raw-extract ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)

    file(STRINGS ${tree}/DEBIAN/md5sums sums)
    set(mended "")
    foreach(line IN LISTS sums)
        string(REGEX REPLACE "^([0-9a-f]+)  .*/(usr/lib/debug/.*)$" "\\1  \\2" line "${line}")
        string(APPEND mended "${line}\n")
    endforeach()
    file(WRITE ${tree}/DEBIAN/md5sums "${mended}")

    file(GLOB_RECURSE debug_files ${tree}/usr/lib/debug/*.debug)
    file(CHMOD ${debug_files} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

    file(STRINGS ${tree}/DEBIAN/control name REGEX "^Package: ")
    string(REGEX REPLACE "^Package: (.*)-dbgsym$" "\\1" main_package "${name}")
    file(MAKE_DIRECTORY ${tree}/usr/share/doc)
    file(CREATE_LINK ${main_package} ${tree}/usr/share/doc/${main_package}-dbgsym SYMBOLIC)

    # Compressed as CPack compresses (gzip unless CPACK_DEBIAN_COMPRESSION_TYPE says).
    # gzip at its usual level 6: dpkg-deb's default 9 takes three times as long for
    # debug files and makes them smaller by less than 1 %.
    set(compression -Zgzip -z6)
    if(CPACK_DEBIAN_COMPRESSION_TYPE MATCHES "^(xz|zstd)$")
        set(compression -Z${CPACK_DEBIAN_COMPRESSION_TYPE})
    endif()
    file(REMOVE ${package})
    execute_process(COMMAND ${DPKG_DEB} --root-owner-group ${compression} --build ${tree} ${package}
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE ${tree})
endforeach()
