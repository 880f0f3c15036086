# `cmake --install` and the Debian package: the executables in bin/, the files they ship with
# in share/tarsel (Theme/, localization/, help/, Feeds/), which an installed program finds from
# its own location (platform/folders.h). Then what the desktop and the shell look for: the
# desktop entry, icons, AppStream metadata, manual pages, bash completion and the user service.
include(GNUInstallDirs)
set(TARSEL_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/tarsel)
set(TARSEL_FULL_INSTALL_DIR ${CMAKE_INSTALL_FULL_DATADIR}/tarsel)
set(TARSEL_FULL_BINDIR ${CMAKE_INSTALL_FULL_BINDIR})
# systemd reads user units from /usr/lib/systemd/user (the package's place) and from the
# systemd/user folder of every data folder (~/.local/share for a user's own install).
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(TARSEL_USER_UNIT_DIR lib/systemd/user)
else()
  set(TARSEL_USER_UNIT_DIR ${CMAKE_INSTALL_DATADIR}/systemd/user)
endif()
set(TARSEL_FULL_USER_UNIT_DIR ${CMAKE_INSTALL_PREFIX}/${TARSEL_USER_UNIT_DIR})
# Debian's folder name is the package's, lower case.
set(TARSEL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tarsel)
set(TARSEL_APPSTREAM_ID example.tarsel.Tarsel)
# The day this version was released: manual pages, AppStream and the package's changelog.
set(TARSEL_RELEASE_DATE 2026-12-08)
set(TARSEL_CHANGELOG_DATE "Tue, 08 Dec 2026 00:00:00 +0000")

if(TARGET tarsel)
  install(TARGETS tarsel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS tarsel-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/theme/ DESTINATION ${TARSEL_INSTALL_DIR}/Theme
        PATTERN ".keep" EXCLUDE)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/localization/ DESTINATION ${TARSEL_INSTALL_DIR}/localization
        PATTERN ".keep" EXCLUDE)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/help/ DESTINATION ${TARSEL_INSTALL_DIR}/help PATTERN ".keep" EXCLUDE)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/feeds/ DESTINATION ${TARSEL_INSTALL_DIR}/Feeds PATTERN ".keep" EXCLUDE)

install(FILES ${CMAKE_SOURCE_DIR}/data/tarsel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/tarsel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
file(GLOB icon_sizes LIST_DIRECTORIES true RELATIVE ${CMAKE_SOURCE_DIR}/data/icons
     ${CMAKE_SOURCE_DIR}/data/icons/*x*)
foreach(size ${icon_sizes})
  install(FILES ${CMAKE_SOURCE_DIR}/data/icons/${size}/tarsel.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps)
endforeach()

set(packaging_out ${CMAKE_BINARY_DIR}/packaging)
configure_file(${CMAKE_SOURCE_DIR}/data/${TARSEL_APPSTREAM_ID}.metainfo.xml.in
               ${packaging_out}/${TARSEL_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${packaging_out}/${TARSEL_APPSTREAM_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
configure_file(${CMAKE_SOURCE_DIR}/data/systemd/tarsel-cli.service.in
               ${packaging_out}/tarsel-cli.service @ONLY)
install(FILES ${packaging_out}/tarsel-cli.service DESTINATION ${TARSEL_USER_UNIT_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/data/completion/tarsel-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# Manual pages and the changelog go in compressed, as Debian wants them; -n keeps the
# package reproducible (no name or time stamp in the gzip header).
find_program(GZIP_PROGRAM gzip REQUIRED)
function(tarsel_install_gzipped source name destination)
  configure_file(${source} ${packaging_out}/${name} @ONLY)
  add_custom_command(OUTPUT ${packaging_out}/${name}.gz
                     COMMAND ${GZIP_PROGRAM} -9nf -k ${packaging_out}/${name}
                     DEPENDS ${packaging_out}/${name})
  add_custom_target(gzip_${name} ALL DEPENDS ${packaging_out}/${name}.gz)
  install(FILES ${packaging_out}/${name}.gz DESTINATION ${destination})
endfunction()
tarsel_install_gzipped(${CMAKE_SOURCE_DIR}/data/man/tarsel.1.in tarsel.1 ${CMAKE_INSTALL_MANDIR}/man1)
tarsel_install_gzipped(${CMAKE_SOURCE_DIR}/data/man/tarsel-cli.1.in tarsel-cli.1
                       ${CMAKE_INSTALL_MANDIR}/man1)
tarsel_install_gzipped(${CMAKE_SOURCE_DIR}/data/debian/changelog.in changelog ${TARSEL_DOC_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/data/debian/copyright DESTINATION ${TARSEL_DOC_DIR})

include(cmake/TarselPackage.cmake)
