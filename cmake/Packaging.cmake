# Installation and the Debian package: both programs (their own folders install them), krondel's data folder (where the installed
# krondel looks for its files), its desktop entry and icon.
install(FILES
    data/284.jpg
    data/brushed-metal.jpg
    data/background1.png
    data/Arrow.png
    data/font1.fnt
    data/font1.png
    data/DejaVu-LICENSE.txt
    data/krondel.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/krondel)
install(FILES data/krondel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/krondel.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
install(FILES docs/man/krondel.1 docs/man/vrtinela2D.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The package's copyright file: the project's own licence, then the licence of the font our bitmap
# font is drawn from. Assembled from the two files in the tree so that neither is copied by hand.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE PROJECT_LICENSE_TEXT)
file(READ ${PROJECT_SOURCE_DIR}/data/DejaVu-LICENSE.txt FONT_LICENSE_TEXT)
file(WRITE ${PROJECT_BINARY_DIR}/copyright
    "krondel, vrtinela2D and their data files are under the MIT licence:\n\n${PROJECT_LICENSE_TEXT}\n"
    "The bitmap font (share/krondel/font1.png and font1.fnt) is drawn from DejaVu Sans, under this licence:\n\n"
    "${FONT_LICENSE_TEXT}")
install(FILES ${PROJECT_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/krondel)

set(CPACK_PACKAGE_NAME krondel)
set(CPACK_PACKAGE_VENDOR "krondel developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Site percolation for the classroom: an interactive board and a console statistics program")
set(CPACK_PACKAGE_CONTACT "krondel developers <krondel@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# prag draws its plots with gnuplot and writes everything else without it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gnuplot-nox")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
