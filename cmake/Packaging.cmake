# What `cmake --install` puts on a system beyond the programs themselves, and
# the Debian package CPack makes of it (scripts/package).
include(GNUInstallDirs)

# Contents finds the help beside velk-editor in the build tree and in
# share/velk-editor when installed.
if(VELK_BUILD_GUI)
  configure_file(${PROJECT_SOURCE_DIR}/docs/help.html ${PROJECT_BINARY_DIR}/gui/help.html COPYONLY)
  install(FILES ${PROJECT_SOURCE_DIR}/docs/help.html DESTINATION ${CMAKE_INSTALL_DATADIR}/velk-editor)
endif()

install(FILES ${PROJECT_SOURCE_DIR}/data/velk.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME velk)
install(FILES ${PROJECT_SOURCE_DIR}/data/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velk-editor)

# The manual page is velk's own --help, so it never drifts from the program.
find_program(HELP2MAN help2man)
if(HELP2MAN)
  set(manpage ${PROJECT_BINARY_DIR}/velk.1)
  add_custom_command(
    OUTPUT ${manpage}.gz
    COMMAND ${HELP2MAN} --no-info --section=1
            "--name=channel database, receiver link and image tools of Velk Editor"
            "--version-string=velk ${PROJECT_VERSION}" --output=${manpage} $<TARGET_FILE:velk>
    COMMAND gzip -9nf ${manpage}
    DEPENDS velk
    COMMENT "Writing the manual page of velk"
    VERBATIM)
  add_custom_target(velk_manpage ALL DEPENDS ${manpage}.gz)
  install(FILES ${manpage}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(STATUS "help2man not found: no manual page for velk")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velk-editor)
set(CPACK_PACKAGE_VENDOR Kym)
set(CPACK_PACKAGE_CONTACT "Kym <service@kym.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "channel database editor and loader tools for a digital satellite receiver")
set(CPACK_PACKAGE_DESCRIPTION
    "Velk Editor builds and repairs the receiver's channel database (LNBs, satellites, carriers, services), "
    "imports SatcoDX, DVB2000 and Lyngsat channel lists, packs the receiver's memory images and talks to its "
    "loader over a serial line. velk is the same tool on the command line.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY velk-editor)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11/Wayland platform plugins are only recommended by Qt; without them
# the editor cannot open a window.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)
