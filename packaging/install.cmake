# The installed tree, as desktop games lay it out:
#   bin/orbelium                         the game
#   share/orbelium/                      its pictures, sounds and fonts (with their licence)
#   share/applications/<id>.desktop      the menu entry
#   share/icons/hicolor/*/apps/          the icon, 48, 128 and 256 px and scalable
#   share/metainfo/<id>.metainfo.xml     what software centres show
#   share/doc/orbelium/                  the licence texts
# and the Debian package made of it by `cpack -G DEB` in the build folder.

set(ORBELIUM_APP_ID "pl.orbelium.Orbelium" CACHE STRING "AppStream id of the game")
set(ORBELIUM_SCREENSHOT_URL "https://orbelium.pl/zrzuty/menu.png" CACHE STRING
    "Where software centres fetch the game's screenshot (docs/menu.png)")
set(ORBELIUM_RELEASE_DATE "2026-12-07")
if(NOT DEFINED ORBELIUM_ICON_DIR)
    set(ORBELIUM_ICON_DIR "${CMAKE_BINARY_DIR}/icons")
endif()

configure_file(${CMAKE_CURRENT_LIST_DIR}/orbelium.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/${ORBELIUM_APP_ID}.metainfo.xml @ONLY)

install(TARGETS orbelium RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${ORBELIUM_ASSET_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/orbelium)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/orbelium.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME ${ORBELIUM_APP_ID}.desktop)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${ORBELIUM_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 48x48 128x128 256x256)
    install(FILES ${ORBELIUM_ICON_DIR}/${size}/apps/orbelium.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps)
endforeach()
install(FILES ${ORBELIUM_ICON_DIR}/scalable/apps/orbelium.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${ORBELIUM_ASSET_DIR}/LICENSE-fonts.txt
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orbelium)
set(CPACK_PACKAGE_VENDOR "ORBELIUM")
set(CPACK_PACKAGE_CONTACT "ORBELIUM maintainers <maintainers@users.noreply.c-seed-134b70db.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "match-three puzzle across the planets of the Solar System")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Swap neighbouring elements on an eight by eight board to line up three or more of a\n"
    "kind: the stars that reach the bottom row complete a planet, and eight planets\n"
    "complete the game. Relaxed and timed modes, the twenty best results of each, games\n"
    "stored under a password. Every text of the game is in Polish.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Allegro libraries and what they need, read off the binary by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
