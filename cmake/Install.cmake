# Install layout and the Debian package. Included from the top-level CMakeLists.txt after
# every target is defined.
#
#   cmake --install build --prefix /usr     installs bolvin as a desktop application
#   cpack -G DEB (in the build folder)      makes bolvin_<version>_<arch>.deb
include(GNUInstallDirs)

set(BOLVIN_PACKAGING_DIR "${CMAKE_SOURCE_DIR}/packaging")
set(BOLVIN_ICON_SIZES 16 24 32 48 64 128 256)
# No licence has been granted yet, so the package says so rather than guess one.
set(BOLVIN_LICENSE "LicenseRef-proprietary")

# The program finds its data at ../share/bolvin from its own folder, so the executable and
# the data must keep this relative placement.
install(TARGETS bolvin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The Qt helper adds $ORIGIN/../lib for bundled libraries; the package links only system
# libraries, and a stray run path makes the loader search a folder that is not ours.
set_target_properties(bolvin PROPERTIES INSTALL_RPATH "")
# Loaded at the first sound, remote cover or print from ../lib/bolvin relative to the program.
install(TARGETS bolvin_sound bolvin_network bolvin_print LIBRARY DESTINATION ${BOLVIN_INSTALL_MODULE_DIR})

# All of resources/, icons included: the program loads its window and tray icons from
# there at run time.
install(DIRECTORY "${CMAKE_SOURCE_DIR}/resources/" DESTINATION ${CMAKE_INSTALL_DATADIR}/bolvin)

install(FILES "${BOLVIN_PACKAGING_DIR}/bolvin.desktop" DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

foreach(size IN LISTS BOLVIN_ICON_SIZES)
    set(icon "${CMAKE_SOURCE_DIR}/resources/icons/AAA-${size}.png")
    if(EXISTS "${icon}")
        install(FILES "${icon}" RENAME bolvin.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endif()
endforeach()
install(FILES "${BOLVIN_PACKAGING_DIR}/bolvin.svg" DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The release entry carries the project version; SOURCE_DATE_EPOCH, when set, fixes the date
# so that rebuilding the same source gives the same file.
string(TIMESTAMP BOLVIN_RELEASE_DATE "%Y-%m-%d" UTC)
set(BOLVIN_METAINFO "${CMAKE_BINARY_DIR}/packaging/app.bolvin.Bolvin.metainfo.xml")
configure_file("${BOLVIN_PACKAGING_DIR}/app.bolvin.Bolvin.metainfo.xml.in" "${BOLVIN_METAINFO}" @ONLY)
install(FILES "${BOLVIN_METAINFO}" DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME bolvin)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Bolvin developers")
set(CPACK_PACKAGE_CONTACT "The Bolvin developers <maintainers@bolvin.app>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "track pop-ups, tray controls and hotkeys for media players")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://bolvin.app")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, which the library scan cannot see: the SQLite driver for Strawberry's
# database, and FreeImage for PNG covers.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libfreeimage3")
# Follows the summary line in the control file; CPack indents it as the format wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Bolvin sits in the notification area, attaches to a running media player
(any MPRIS player, or its built-in simulated one) and adds cover-art pop-ups
that slide in from a screen edge, a tray menu that drives and rates, global
hotkeys, a floating cover-art window, and export and import of a library's
ratings and play counts.")
# bolvin_<version>_<arch>.deb
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
