# SPDX-License-Identifier: GPL-3.0-or-later
# Installing the game like any Linux program, and its Debian package (cpack -G DEB).
# Included from the top-level CMakeLists.txt once the game's data targets exist.
include(GNUInstallDirs)

# Games go to games/ beside bin/, as Debian lays them out; the game finds its data from there at
# ../share/kaldovirent all the same.
set(KALDO_INSTALL_GAMESDIR games CACHE STRING "Where the game's executable is installed")
install(TARGETS kaldovirent RUNTIME DESTINATION ${KALDO_INSTALL_GAMESDIR})

# The manual page, written at build time from the option table --help prints.
add_executable(kaldo_manual_page ${CMAKE_SOURCE_DIR}/packaging/manual_page.cpp)
target_link_libraries(kaldo_manual_page PRIVATE kaldo)
set(KALDO_MANUAL_PAGE ${CMAKE_BINARY_DIR}/packaging/kaldovirent.6)
add_custom_command(OUTPUT ${KALDO_MANUAL_PAGE}.gz
  COMMAND kaldo_manual_page ${KALDO_MANUAL_PAGE}
  COMMAND gzip -9nf ${KALDO_MANUAL_PAGE}
  DEPENDS kaldo_manual_page
  COMMENT "Writing the manual page")
# The Debian changelog of a native package, compressed as Debian ships it.
set(KALDO_CHANGELOG ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${KALDO_CHANGELOG}
  COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/packaging/debian/changelog > ${KALDO_CHANGELOG}
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/debian/changelog)
add_custom_target(release_documents ALL DEPENDS ${KALDO_MANUAL_PAGE}.gz ${KALDO_CHANGELOG})
install(FILES ${KALDO_MANUAL_PAGE}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${KALDO_CHANGELOG} ${CMAKE_SOURCE_DIR}/packaging/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kaldovirent)

# The software centres' description. No screenshot address is named until the project has a
# home on the web: give KALDO_SCREENSHOT_URL (where docs/screenshot.png is published) to add it.
set(KALDO_SCREENSHOT_URL "" CACHE STRING "The web address of docs/screenshot.png, if published")
set(KALDO_METAINFO_SCREENSHOTS "")
if(KALDO_SCREENSHOT_URL)
  set(KALDO_METAINFO_SCREENSHOTS "  <screenshots>
    <screenshot type=\"default\">
      <caption>Level one in play</caption>
      <image>${KALDO_SCREENSHOT_URL}</image>
    </screenshot>
  </screenshots>
")
endif()
set(KALDO_METAINFO ${CMAKE_BINARY_DIR}/packaging/org.kaldovirent.kaldovirent.metainfo.xml)
configure_file(${CMAKE_SOURCE_DIR}/packaging/org.kaldovirent.kaldovirent.metainfo.xml.in
               ${KALDO_METAINFO} @ONLY)
install(FILES ${KALDO_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
if(KALDO_DATA)
  # The data the game reads, as build/game/ holds it: packs, level files, font, pause picture.
  # The game finds it from its executable at ../share/kaldovirent.
  install(DIRECTORY ${GAME_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kaldovirent
          FILES_MATCHING
          PATTERN "*.pak"
          PATTERN "level*.dat"
          PATTERN "DESIB___.otf"
          PATTERN "gamepaused.png"
          PATTERN "icons" EXCLUDE)
  install(FILES ${GAME_DIR}/icons/kaldovirent.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/packaging/kaldovirent.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The Debian 12 packages of the libraries the executable links (objdump -p shows them; dpkg -S
# names the package of each). libogg and zlib come with them.
set(KALDO_DEB_DEPENDS
  "libc6 (>= 2.34)"
  "libgcc-s1 (>= 3.0)"
  "libstdc++6 (>= 12)"
  "libsdl2-2.0-0 (>= 2.26)"
  "libsdl2-ttf-2.0-0 (>= 2.20)"
  "libfontconfig1 (>= 2.14)"
  "libopenal1 (>= 1:1.19)"
  "libpng16-16 (>= 1.6.39)"
  "libjpeg62-turbo (>= 1:2.1)"
  "libtiff6 (>= 4.5)"
  "libvorbisfile3 (>= 1.3)")
list(JOIN KALDO_DEB_DEPENDS ", " KALDO_DEB_DEPENDS_TEXT)

set(CPACK_PACKAGE_NAME kaldovirent)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kaldovirent developers")
set(CPACK_PACKAGE_CONTACT "Kaldovirent developers <dev@kaldovirent.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "2D brick-breaker arcade game")
# Debian's description lines stay under 80 columns.
set(CPACK_PACKAGE_DESCRIPTION "Steer a ship along the bottom of the playfield, launch balls
and break bricks that glide along timed paths. Capsules give bonuses,
weapons and maluses, monsters roam, five letters open a bonus level and a
hidden console holds four side games.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${KALDO_DEB_DEPENDS_TEXT}")
# The game's texts ask fontconfig for Arial faces; Liberation stands in for them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
include(CPack)
