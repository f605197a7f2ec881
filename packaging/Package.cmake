# The Debian package: cpack -G DEB in the build folder makes
# tavrin_<version>_amd64.deb from the install rules.

set(CPACK_PACKAGE_NAME tavrin)
set(CPACK_PACKAGE_VENDOR "Korvel Software")
set(CPACK_PACKAGE_CONTACT "${TAVRIN_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.korvel.de")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "timer for sprint and speed tests with light barriers")
# English first, then German; an empty line separates the paragraphs.
set(CPACK_PACKAGE_DESCRIPTION [=[
Tavrin times sprint and speed tests in sport. Light barriers along a
straight track (the start line, three intermediate barriers and the finish)
are wired to a serial port of the PC. Tavrin shows the running time on large
seven-segment digits, also full-screen on a second monitor, and keeps a
results protocol with up to five attempts per athlete, split times and means.
The program speaks German.

Tavrin misst die Zeiten von Sprint- und Schnelligkeitstests im Sport.
Lichtschranken entlang einer geraden Bahn (Start, drei Zwischenzeiten und
Ziel) sind an eine serielle Schnittstelle des PCs angeschlossen. Tavrin zeigt
die laufende Zeit mit großen Sieben-Segment-Ziffern, auch bildschirmfüllend
auf einem zweiten Monitor, und führt ein Zeitenprotokoll mit bis zu fünf
Versuchen je Athlet, Zwischenzeiten und Mittelwerten.]=])

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TAVRIN_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries' packages come from dpkg-shlibdeps; the fonts are not linked
# but hold the windows' pixel layouts (Arial and Times New Roman metrics).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
# German in Qt's own dialogs; without it they speak English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
