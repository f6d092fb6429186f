# The Debian and RPM packages of one installed tree:
#   cd build && cpack -G DEB     padconfig_<version>_<arch>.deb and the debug symbols in
#                                padconfig-dbgsym_<version>_<arch>.ddeb
#   cd build && cpack -G RPM     padconfig-<version>-1.<arch>.rpm (needs rpmbuild)
# Both install below /usr; the programs are stripped. Their dependencies come from
# the libraries the programs link: dpkg-shlibdeps names Debian packages, rpmbuild
# requires the libraries' sonames.

set(CPACK_PACKAGE_NAME padconfig)
set(CPACK_PACKAGE_VENDOR "PadConfig developers")
set(CPACK_PACKAGE_CONTACT "${PADCONFIG_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration suite for the Corvask 12 Gaming Keypad")
set(CPACK_PACKAGE_DESCRIPTION
    "PadConfig assigns keys, mouse buttons and recorded macros to the keys of the\n\
Corvask 12 Gaming Keypad, keeps them in .qd6 profiles and downloads a profile\n\
into the keypad. The package holds the desktop program, the qd6 command-line\n\
tool, the padconfig-modes service that switches the keypad's mode with the\n\
focused application (on X11, sway and other wlroots desktops, on KDE Plasma\n\
through a KWin script and on GNOME through a GNOME Shell extension, both\n\
included), the PadLink and HidBridge libraries, the companion loader, and a\n\
udev rule that gives the logged-in user access to the keypad.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL ${PROJECT_HOMEPAGE_URL})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_RELOCATABLE OFF)
set(CPACK_GENERATOR DEB)
# cpack installs the build into its staging folder. Installed as a whole, the build
# would write that install's list of files over build/install_manifest.txt, the list
# of the user's own install that `uninstall` removes; installed by component it writes
# install_manifest_padconfig.txt instead.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};PadConfig;padconfig;/")

# --- Debian -------------------------------------------------------------------------------
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/bin)
# Qt's translations put Qt's own dialogs into the language of PadConfig's texts;
# qt6-wayland is Qt's Wayland platform, without which PadConfig runs through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "shared-mime-info, desktop-file-utils, xdg-utils, qt6-translations-l10n, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_SOURCE_DIR}/debian/postinst ${CMAKE_CURRENT_SOURCE_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Strips the programs and libraries and puts their debug information into
# padconfig-dbgsym, found by build id (needs a build with debug information, such as
# the RelWithDebInfo of the default preset).
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/debian/FixDebugSymbolsPackage.cmake)

# --- RPM ----------------------------------------------------------------------------------
set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
set(CPACK_RPM_PACKAGE_RELEASE 1)
set(CPACK_RPM_PACKAGE_LICENSE GPL-3.0-or-later)
set(CPACK_RPM_PACKAGE_GROUP "Applications/System")
set(CPACK_RPM_PACKAGE_URL ${PROJECT_HOMEPAGE_URL})
set(CPACK_RPM_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_RPM_CHANGELOG_FILE ${CMAKE_CURRENT_BINARY_DIR}/changelog.rpm)
set(CPACK_RPM_POST_INSTALL_SCRIPT_FILE ${CMAKE_CURRENT_SOURCE_DIR}/rpm/post)
set(CPACK_RPM_POST_UNINSTALL_SCRIPT_FILE ${CMAKE_CURRENT_SOURCE_DIR}/rpm/postun)
# libpadlink.so and libhidbridge.so are private to the program folder: the package
# neither offers them to others nor requires them from others. rpmbuild strips the
# programs (brp-strip); without a debuginfo package the /usr/lib/.build-id links
# would lead nowhere, so the package holds the same files as the Debian one.
set(CPACK_RPM_SPEC_MORE_DEFINE
    "%global __provides_exclude_from ^/usr/${PADCONFIG_PROGRAM_DIR}/.*$
%global __requires_exclude ^lib(padlink|hidbridge)\\\\.so.*$
%define _build_id_links none")
# The package owns the folders it creates: its own, and those of the shells'
# completions, which exist only when the shell (or bash-completion) is installed and
# which it then shares with the shell's package. The folders of the desktop, udev and
# man belong to the system's own packages.
set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION
    /usr/lib/udev /usr/lib/udev/rules.d
    /usr/lib/systemd /usr/lib/systemd/user
    /usr/share/applications /usr/share/metainfo
    /usr/share/icons /usr/share/icons/hicolor /usr/share/icons/hicolor/scalable
    /usr/share/icons/hicolor/scalable/apps
    /usr/share/mime /usr/share/mime/packages
    /usr/share/man /usr/share/man/man1)
# The copyright file is the package's licence.
set(CPACK_RPM_USER_FILELIST "%license /usr/${PADCONFIG_DOC_DIR}/copyright")

include(CPack)
