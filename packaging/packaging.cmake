# Installation and the Debian package: the three programs (and the program
# vantorctl serve runs), their manual pages, a desktop entry and an icon, the
# systemd user unit of vantorctl serve, the copyright and changelog files, and
# the lintian overrides. scripts/package builds the package and checks it.
include(GNUInstallDirs)
set(VANTOR_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(VANTOR_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/vantorapp)

install(TARGETS VantorApp VantorBoard vantorctl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# What `vantorctl serve` runs: not a command of its own.
install(TARGETS vantorctl-serve RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/vantorapp)
install(FILES ${VANTOR_PACKAGING_DIR}/vantorapp.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VANTOR_PACKAGING_DIR}/vantorapp.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${VANTOR_PACKAGING_DIR}/debian/copyright DESTINATION ${VANTOR_DOC_DIR})
# The user unit that runs vantorctl serve for a port (systemctl --user).
install(FILES ${VANTOR_PACKAGING_DIR}/systemd/vantorctl-serve@.service
        DESTINATION lib/systemd/user)
install(FILES ${VANTOR_PACKAGING_DIR}/debian/vantorapp.lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME vantorapp)

# The manual pages and the changelog are installed compressed, as Debian
# wants them: gzip -9n leaves out the name and the time stamp, so the same
# sources always give the same bytes.
set(VANTOR_GZIPPED)
function(vantor_gzip source output)
    add_custom_command(OUTPUT ${output}
        COMMAND sh -c "gzip -9n -c \"$1\" >\"$2\"" sh ${source} ${output}
        DEPENDS ${source} VERBATIM)
    set(VANTOR_GZIPPED ${VANTOR_GZIPPED} ${output} PARENT_SCOPE)
endfunction()

set(gzipped ${PROJECT_BINARY_DIR}/packaging)
foreach(page VantorApp.1 VantorBoard.1 vantorctl.1)
    vantor_gzip(${VANTOR_PACKAGING_DIR}/man/${page} ${gzipped}/${page}.gz)
    install(FILES ${gzipped}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
vantor_gzip(${VANTOR_PACKAGING_DIR}/debian/changelog ${gzipped}/changelog.Debian.gz)
install(FILES ${gzipped}/changelog.Debian.gz DESTINATION ${VANTOR_DOC_DIR})
add_custom_target(vantor_gzipped ALL DEPENDS ${VANTOR_GZIPPED})

# The package's version is the project's, with the Debian revision below; the
# changelog's newest entry must name it.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
file(STRINGS ${VANTOR_PACKAGING_DIR}/debian/changelog newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^vantorapp \\(${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}\\) ")
    message(FATAL_ERROR "packaging/debian/changelog: the newest entry is not "
                        "${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}: ${newest}")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantorapp)
set(CPACK_PACKAGE_CONTACT "VantorApp developers <dev@vantor.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "control panel for a serial 2 x 16 character display board")
# The extended description: lines under 80 characters, paragraphs apart.
set(CPACK_PACKAGE_DESCRIPTION [=[
VantorApp drives a character display board on a serial port: two lines of
16 characters with a dimmable backlight, three digital outputs, digital
inputs and a 0-10 V and a 0-20 mA analog input. From the panel the operator
writes text, works the cursor, the backlight and the outputs, reads the
inputs, configures the board, uploads user screens, draws custom characters,
scrolls texts and draws bar graphs. A status bar shows the port and its
state, and a traffic monitor lists every byte on the wire.

The package also holds VantorBoard, a simulated board behind a
pseudo-terminal for trying the panel without hardware, and vantorctl, which
sends the board's commands from scripts.]=])
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Dependencies from the libraries the binaries link (dpkg-shlibdeps), and the
# Qt platform plugins, which Qt loads at run time so that no binary names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_STRIP_FILES ON)
include(CPack)
