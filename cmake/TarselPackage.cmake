# `cpack -G DEB` in a build folder configured with CMAKE_INSTALL_PREFIX=/usr (scripts/package.sh
# does it) makes tarsel_VERSION_ARCH.deb of what `cmake --install` puts in place.
set(CPACK_PACKAGE_NAME tarsel)
set(CPACK_PACKAGE_VENDOR "The Tarsel developers")
set(CPACK_PACKAGE_CONTACT "The Tarsel developers <developers@tarsel.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://tarsel.example/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop feed reader that shows web feeds in columns")
# The paths the installed files name (the unit's ExecStart, the manual pages) are the prefix's.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The desktop program opens addresses, documents and mail through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
# The package's long description; CPack puts the summary above it, indents it and turns the
# empty line into the " ." that separates paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tarsel reads RSS 0.9x, 1.0 and 2.0 and Atom feeds, podcasts and Media RSS
included. Every subscription is a column; columns sit in groups in a tree
beside the records list and the record pane. Tarsel updates the columns in
the background on their own intervals, keeps read and deleted marks across
updates, filters records per column, and tells about news by a sound, a
notice near the tray, e-mail or an external program.

The package also holds tarsel-cli, the same engine without a window, for
scripts and servers, with a systemd user service that keeps the columns
updated, manual pages and bash completion.")
include(CPack)
