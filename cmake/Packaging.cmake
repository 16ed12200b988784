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
    DESTINATION ${CMAKE_INSTALL_DATADIR}/krondel)
install(FILES data/krondel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/krondel.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)

set(CPACK_PACKAGE_NAME krondel)
set(CPACK_PACKAGE_VENDOR "krondel developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Site percolation for the classroom: an interactive board and a console statistics program")
set(CPACK_PACKAGE_CONTACT "krondel developers <krondel@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# prag draws its plots with gnuplot and writes everything else without it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gnuplot-nox")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
