# What an installed viewer consists of, and the Debian package made of it with CPack
# (scripts/package.sh): quorva_<version>_<arch>.deb with the two programs, the desktop entry,
# the icon and the AppStream metadata; the run-time dependencies come from dpkg-shlibdeps.
include(GNUInstallDirs)

set(QUORVA_APP_ID org.quorva.Quorva)

# (The sanitizer build of the test run has no command-line tool and installs nothing.)
if(QUORVA_GUI AND TARGET quorva-cli)
  install(TARGETS quorva quorva-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_SOURCE_DIR}/resources/${QUORVA_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/quorva.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME ${QUORVA_APP_ID}.svg)
  configure_file(${CMAKE_SOURCE_DIR}/resources/${QUORVA_APP_ID}.metainfo.xml.in
                 ${CMAKE_BINARY_DIR}/${QUORVA_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/${QUORVA_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# `cmake --install` installs what is built; scripts/package.sh builds the two programs first
# instead of every test and benchmark.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorva)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quorva developers")
set(CPACK_PACKAGE_CONTACT "Quorva developers <quorva@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for the recordings of a two-camera drive recorder")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quorva plays the recordings of a two-camera dash camera from its SD card, a backup\n"
    "folder or a single movie: both cameras side by side and in step, with the GPS track\n"
    "on a map, a G-sensor graph with the detected events and an info panel. It saves\n"
    "snapshots, exports a CSV list, joins consecutive recordings and deletes recordings.\n"
    "quorva-cli offers the same logic on the command line with JSON answers.")
string(REPLACE ";" "" CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Japanese texts need a CJK font; Qt's own dialogs speak Japanese with Qt's translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
