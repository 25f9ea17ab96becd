# Installing the game like any Linux program, and its Debian package (cpack -G DEB).
# Included from the top-level CMakeLists.txt once the game's data targets exist.
include(GNUInstallDirs)

install(TARGETS kaldovirent RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(KALDO_DATA)
  # The data the game reads, as build/game/ holds it: packs, level files, font, pause picture.
  # The game finds it from its executable at ../share/kaldovirent.
  install(DIRECTORY ${GAME_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kaldovirent
          FILES_MATCHING
          PATTERN "*.pak"
          PATTERN "level*.dat"
          PATTERN "DESIB___.ttf"
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
set(CPACK_PACKAGE_VENDOR "the Kaldovirent team")
set(CPACK_PACKAGE_CONTACT "The Kaldovirent team <kaldovirent@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "2D brick-breaker arcade game")
set(CPACK_PACKAGE_DESCRIPTION "Steer a ship along the bottom of the playfield, launch balls and \
break bricks that glide along timed paths; capsules, monsters, a bonus level and four side games.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${KALDO_DEB_DEPENDS_TEXT}")
# The game's texts ask fontconfig for Arial faces; Liberation stands in for them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kaldovirent.example.org/")
include(CPack)
