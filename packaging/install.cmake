# The installed tree, as desktop games lay it out:
#   bin/orbelium                         the game
#   share/orbelium/                      its pictures, sounds and fonts (with their licence)
#   share/locale/<code>/LC_MESSAGES/     orbelium.mo, the texts of each language beside Polish
#   share/applications/<id>.desktop      the menu entry
#   share/icons/hicolor/*/apps/          the icon, 48, 128 and 256 px and scalable
#   share/metainfo/<id>.metainfo.xml     what software centres show
#   share/man/man6/orbelium.6.gz         the manual page, and its Polish twin in man/pl/
#   share/doc/orbelium/                  copyright, changelog.gz and the licence texts
# and the Debian package made of it by `cpack -G DEB` in the build folder, which differs
# where Debian wants it to: the binary is /usr/games/orbelium, the fonts are links to
# Debian's Liberation Sans (the package depends on fonts-liberation2), and the licences are
# in the copyright file alone, the GPL's text being in /usr/share/common-licenses.
# It also carries its lintian override (packaging/lintian-overrides), with the reason.
#
# Three install components make the difference: `game` is common to both, `tree` only
# in `cmake --install` (bin/, the font copies, the licence texts) and `debian` only in
# the package (left out of a full install).

include(${CMAKE_CURRENT_LIST_DIR}/hardening.cmake)
orbelium_harden("orbelium_rules;orbelium_game" orbelium)

set(ORBELIUM_APP_ID "pl.orbelium.Orbelium" CACHE STRING "AppStream id of the game")
set(ORBELIUM_SCREENSHOT_URL "https://orbelium.pl/zrzuty/menu.png" CACHE STRING
    "Where software centres fetch the game's screenshot (docs/menu.png)")
set(ORBELIUM_RELEASE_DATE "2026-12-07")
if(NOT DEFINED ORBELIUM_ICON_DIR)
    set(ORBELIUM_ICON_DIR "${CMAKE_BINARY_DIR}/icons")
endif()
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME game)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(packaging "${CMAKE_BINARY_DIR}/packaging")

configure_file(${CMAKE_CURRENT_LIST_DIR}/orbelium.metainfo.xml.in
               ${packaging}/${ORBELIUM_APP_ID}.metainfo.xml @ONLY)
# The menu entry names the binary by its place in the package (Debian's /usr/games is not
# on every session's PATH) and by its name in other trees, as their bin/ is.
set(ORBELIUM_EXEC orbelium)
configure_file(${CMAKE_CURRENT_LIST_DIR}/orbelium.desktop.in ${packaging}/tree/orbelium.desktop
               @ONLY)
set(ORBELIUM_EXEC ${CPACK_PACKAGING_INSTALL_PREFIX}/games/orbelium)
configure_file(${CMAKE_CURRENT_LIST_DIR}/orbelium.desktop.in
               ${packaging}/debian/orbelium.desktop @ONLY)

# The changelog leads with the version being built, or the package would carry a stale one.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/changelog changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^orbelium \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/changelog does not begin with version ${PROJECT_VERSION}: "
                        "add its entry")
endif()

# The manual pages and the changelog, compressed as Debian does it (best, without name or
# time stamp, so the same text makes the same file).
set(compressed
    "${CMAKE_SOURCE_DIR}/docs/man/orbelium.6|${packaging}/man/orbelium.6"
    "${CMAKE_SOURCE_DIR}/docs/man/orbelium.pl.6|${packaging}/man/pl/orbelium.6"
    "${CMAKE_CURRENT_LIST_DIR}/changelog|${packaging}/doc/changelog")
set(compressed_outputs)
foreach(pair ${compressed})
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 source)
    list(GET pair 1 target)
    add_custom_command(OUTPUT ${target}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${target}
        COMMAND gzip -9nf ${target}
        DEPENDS ${source}
        VERBATIM)
    list(APPEND compressed_outputs ${target}.gz)
endforeach()
add_custom_target(packaging_docs ALL DEPENDS ${compressed_outputs})

# Links to Debian's fonts, relative as Debian wants links inside /usr.
file(RELATIVE_PATH fonts_from_data "${CPACK_PACKAGING_INSTALL_PREFIX}/share/orbelium"
     "${ORBELIUM_FONT_DIR}")
file(MAKE_DIRECTORY ${packaging}/debian/fonts)
file(CREATE_LINK ${fonts_from_data}/LiberationSans-Regular.ttf
     ${packaging}/debian/fonts/arial.ttf SYMBOLIC)
file(CREATE_LINK ${fonts_from_data}/LiberationSans-Bold.ttf
     ${packaging}/debian/fonts/arialbd.ttf SYMBOLIC)

# Common to the tree and the package.
install(DIRECTORY ${ORBELIUM_ASSET_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/orbelium
        PATTERN "*.ttf" EXCLUDE PATTERN "LICENSE-fonts.txt" EXCLUDE PATTERN "locale" EXCLUDE)
# The catalogues where gettext looks for every program (the game finds them from its
# assets, as share/orbelium/../locale).
install(DIRECTORY ${ORBELIUM_CATALOGUE_DIR}/ DESTINATION ${CMAKE_INSTALL_LOCALEDIR})
install(FILES ${packaging}/${ORBELIUM_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 48x48 128x128 256x256)
    install(FILES ${ORBELIUM_ICON_DIR}/${size}/apps/orbelium.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps)
endforeach()
install(FILES ${ORBELIUM_ICON_DIR}/scalable/apps/orbelium.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${packaging}/man/orbelium.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${packaging}/man/pl/orbelium.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/pl/man6)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${packaging}/doc/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The tree alone.
install(TARGETS orbelium RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tree)
install(FILES ${ORBELIUM_ASSET_DIR}/arial.ttf ${ORBELIUM_ASSET_DIR}/arialbd.ttf
              ${ORBELIUM_ASSET_DIR}/LICENSE-fonts.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/orbelium COMPONENT tree)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${ORBELIUM_ASSET_DIR}/LICENSE-fonts.txt
        DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT tree)
install(FILES ${packaging}/tree/orbelium.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME ${ORBELIUM_APP_ID}.desktop COMPONENT tree)

# The package alone. The binary lies as far from its assets in games/ as in bin/, so
# the path to them built into it holds in both.
install(TARGETS orbelium RUNTIME DESTINATION games COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${packaging}/debian/fonts/arial.ttf ${packaging}/debian/fonts/arialbd.ttf
        DESTINATION ${CMAKE_INSTALL_DATADIR}/orbelium COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME orbelium COMPONENT debian
        EXCLUDE_FROM_ALL)
install(FILES ${packaging}/debian/orbelium.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications RENAME ${ORBELIUM_APP_ID}.desktop
        COMPONENT debian EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${CMAKE_BINARY_DIR};orbelium;game;/" "${CMAKE_BINARY_DIR};orbelium;debian;/")
set(CPACK_PACKAGE_NAME orbelium)
set(CPACK_PACKAGE_VENDOR "ORBELIUM")
set(CPACK_PACKAGE_CONTACT "ORBELIUM maintainers <maintainers@users.noreply.c-seed-134b70db.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "match-three puzzle across the planets of the Solar System")
# Debian shows these lines as they are: within 80 columns.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Swap neighbouring elements on an eight by eight board to line up three or\n"
    "more of a kind: the stars that reach the bottom row complete a planet, and\n"
    "eight planets complete the game. Relaxed and timed modes, the twenty best\n"
    "results of each, games stored under a password. In English and Polish,\n"
    "following the desktop's language or the player's choice.")
set(CPACK_STRIP_FILES ON)
set(CPACK_ORBELIUM_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/deb_staged.cmake)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The fonts the links point at; the Allegro libraries and what they need are added, read
# off the binary by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
