# `make package`: a Debian package of the install tree (programs, libraries, desktop entry,
# icons, manual pages), installed under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME penlark)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Penlark developers <penlark@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Text editor for Japanese text in Shift_JIS, JIS and EUC-JP")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Text editor for Japanese text in Shift_JIS, JIS and EUC-JP\n\
 Penlark opens Shift_JIS, JIS (ISO-2022-JP), EUC-JP, UTF-8 and UTF-16 files, recognises\n\
 their charset and line-break code and writes them back exactly. The package holds the\n\
 editor, the converter penlark-convert, the tree-file viewer orvenly-tdb, the control\n\
 gallery and the Orvenly and Tamsell libraries.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6network6 (>= 6.4), qt6-qpa-plugins, libsqlite3-0")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-ipafont-gothic")
include(CPack)
