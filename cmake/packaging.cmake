# Installing and packaging, with the layout Debian and the freedesktop specifications set:
# the programs in bin, the archive in share/lantern (where the programs look for it when
# the working directory has none), a desktop entry with its icon, AppStream metadata and
# manual pages. `make package` builds the .deb with CPack.

# The release these files describe.
set(LANTERN_RELEASE_DATE "2026-12-09")
set(LANTERN_CHANGELOG_DATE "Wed, 09 Dec 2026 00:00:00 +0000")
set(LANTERN_APP_ID io.github.lanterndemo.Lantern)

set(generated ${CMAKE_BINARY_DIR}/packaging)
configure_file(${PROJECT_SOURCE_DIR}/data/${LANTERN_APP_ID}.metainfo.xml.in
               ${generated}/${LANTERN_APP_ID}.metainfo.xml @ONLY)

# Manual pages and the changelog, compressed as Debian wants them (no name or time stamp in
# the gzip header, so that the package is the same bytes every time).
set(compressed "")
foreach(page lantern.6 lantern-capture.1 lantern-pack.1)
  configure_file(${PROJECT_SOURCE_DIR}/doc/man/${page}.in ${generated}/${page} @ONLY)
  list(APPEND compressed ${page})
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/data/changelog.in ${generated}/changelog @ONLY)
list(APPEND compressed changelog)
set(compressed_outputs "")
foreach(file IN LISTS compressed)
  add_custom_command(
    OUTPUT ${generated}/${file}.gz
    COMMAND gzip -9nc ${generated}/${file} > ${generated}/${file}.gz
    DEPENDS ${generated}/${file}
    VERBATIM)
  list(APPEND compressed_outputs ${generated}/${file}.gz)
endforeach()

# The icon, drawn by lantern-pack.
set(icon ${generated}/${LANTERN_APP_ID}.png)
add_custom_command(
  OUTPUT ${icon}
  COMMAND lantern-pack --icon ${icon}
  DEPENDS lantern-pack
  COMMENT "Drawing the program's icon"
  VERBATIM)
add_custom_target(packaging_files ALL DEPENDS ${compressed_outputs} ${icon})

install(TARGETS lantern lantern-capture lantern-pack RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/lantern.dat DESTINATION ${CMAKE_INSTALL_DATADIR}/lantern)
install(FILES ${PROJECT_SOURCE_DIR}/data/${LANTERN_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${generated}/${LANTERN_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${generated}/lantern.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${generated}/lantern-capture.1.gz ${generated}/lantern-pack.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/data/copyright ${generated}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lantern)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT
    "The lantern developers <maintainers@users.noreply.c-seed-a84aaf01.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time 3D demo played in time with its music")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Lantern plays a demo: a fixed, just-over-five-minute sequence of animated 3D\n"
    "scenes and procedural effects, rendered as it plays and cut to its soundtrack,\n"
    "after which it closes itself. A study mode pauses, seeks and steps through it\n"
    "with a timeline overlay. lantern-capture renders any moment to PNG, records the\n"
    "demo to video and benchmarks it; lantern-pack generates its data archive.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Not "games": it is watched, not played, and Debian keeps games in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link come from dpkg-shlibdeps; Mesa's drivers are loaded at
# run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1-mesa-dri, libglx-mesa0, libegl-mesa0")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
