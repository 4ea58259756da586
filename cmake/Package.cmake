# `make package`: CPack's .deb of what `cmake --install` installs, under /usr. The library
# dependencies come from dpkg-shlibdeps; the desktop database, the MIME database and the
# icon cache are refreshed by the triggers of desktop-file-utils, shared-mime-info and
# hicolor-icon-theme, so the package needs no scripts of its own.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vesk-builder)
set(CPACK_PACKAGE_VENDOR "The Vesk-Builder developers")
set(CPACK_PACKAGE_CONTACT "Vesk-Builder developers <maintainers@vesk-builder.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for flashcard databases (Palm OS PDB)")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://vesk-builder.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The SVG icons of the editor are drawn by Qt's SVG image plugin, loaded at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")
# The extended description; CPack puts the summary above it and indents it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Vesk-Builder writes and organises flashcards: terms with Ascii or Unicode values per
attribute, sorted into categories, saved as Palm OS database files for a handheld
flashcard application. It imports Vesk Text, tab-delimited text, Ergane word lists and
QuizApp modules, and merges databases.

The package holds the Qt editor vesk-builder and the command-line tool vesk.")
include(CPack)
