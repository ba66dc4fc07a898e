# `cmake --install`: the programs, their two libraries, the desktop entry with its icons (so
# that desktop menus list the editor and file managers offer it for text files) and the
# manual pages.
include(GNUInstallDirs)
set_target_properties(penlark penlark-convert tamsell-gallery orvenly-tdb PROPERTIES
    INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
set_target_properties(orvenly tamsell PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS penlark penlark-convert tamsell-gallery orvenly-tdb
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS orvenly tamsell LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${CMAKE_SOURCE_DIR}/resources/penlark.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/penlark.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 256)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/penlark-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME penlark.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/docs/man/penlark.1 ${CMAKE_SOURCE_DIR}/docs/man/penlark-convert.1
              ${CMAKE_SOURCE_DIR}/docs/man/orvenly-tdb.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
