# What `cmake --install` puts where (under the prefix, /usr for the package):
#   bin/durvek-club                                 the program
#   share/durvek-club/durvadm.db                    the delivered club database, copied into
#                                                   the user's data folder on the first start
#   share/applications/durvek-club.desktop          the menu entry
#   share/icons/hicolor/scalable/apps/durvek-club.svg
#   share/doc/durvek-club/README.md
#   share/doc/durvek-club/changelog.gz              the package's changelog
#   share/man/man1/durvek-club.1.gz                 the manual page
# The demo clock (tools/clocksim) stays out: it is started by
# ./run --with-simulator from the sources, with the pseudo-terminal that script
# sets up, and a club works with its real clocks.
set(DURVEK_PACKAGE durvek-club)

if(TARGET durvek-club)
  install(TARGETS durvek-club RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_BINARY_DIR}/delivered/durvadm.db DESTINATION ${CMAKE_INSTALL_DATADIR}/${DURVEK_PACKAGE})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/data/${DURVEK_PACKAGE}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/${DURVEK_PACKAGE}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${DURVEK_PACKAGE})

# Debian wants the manual page and the changelog compressed, and compressed
# the same on every build (-n keeps the name and time out of the header).
# Without gzip (not a Unix build) neither is installed.
find_program(DURVEK_GZIP gzip)
if(DURVEK_GZIP)
  configure_file(${PROJECT_SOURCE_DIR}/data/changelog.in ${CMAKE_BINARY_DIR}/changelog @ONLY)
  set(durvek_compressed_docs)
  foreach(document ${PROJECT_SOURCE_DIR}/data/${DURVEK_PACKAGE}.1 ${CMAKE_BINARY_DIR}/changelog)
    get_filename_component(name ${document} NAME)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${name}.gz
                       COMMAND ${DURVEK_GZIP} -9n -c ${document} > ${CMAKE_BINARY_DIR}/${name}.gz
                       DEPENDS ${document})
    list(APPEND durvek_compressed_docs ${CMAKE_BINARY_DIR}/${name}.gz)
  endforeach()
  add_custom_target(durvek_compressed_docs ALL DEPENDS ${durvek_compressed_docs})
  install(FILES ${CMAKE_BINARY_DIR}/${DURVEK_PACKAGE}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${DURVEK_PACKAGE})
endif()

# cpack -G DEB in the build folder makes durvek-club_<version>_<arch>.deb.
set(CPACK_PACKAGE_NAME ${DURVEK_PACKAGE})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Durvek club software team")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Club administration of the DURVEK pigeon race-timing system")
set(CPACK_PACKAGE_DESCRIPTION "Keeps a pigeon club's fanciers, pigeons, races and settings, links the\n\
pigeons to their chip bands with the club antenna, writes and reads the\n\
fanciers' race clocks over a serial port, and prints the race lists and\n\
the club result.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Debian asks for an address here; set the team's real one when packaging for clubs.
set(DURVEK_PACKAGE_MAINTAINER "Durvek club software team <club-software@durvek.invalid>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${DURVEK_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The libraries the program links come from dpkg-shlibdeps (package dpkg-dev);
# what it loads at run time it cannot see: the database drivers (the club
# file, and a server) and the fonts the printouts ask for ("Times New Roman"
# and "Liberation Sans", both served by Liberation).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The catalogue translations are compiled in; Qt's own buttons and dialogs take
# theirs from qt6-translations-l10n.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libqt6sql6-psql, fonts-liberation2, qt6-translations-l10n")
include(CPack)
