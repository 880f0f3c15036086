# `cmake --install`: one program folder, share/tarsel, holds the executables beside what they
# find through their own location (Theme/, localization/, help/, Feeds/); bin/ links to them.
# The desktop entry and the icon go where desktops look for them.
include(GNUInstallDirs)
set(TARSEL_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/tarsel)
if(TARGET tarsel)
  install(TARGETS tarsel RUNTIME DESTINATION ${TARSEL_INSTALL_DIR})
endif()
install(TARGETS tarsel-cli RUNTIME DESTINATION ${TARSEL_INSTALL_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/theme/ DESTINATION ${TARSEL_INSTALL_DIR}/Theme
        PATTERN ".keep" EXCLUDE)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/localization/ DESTINATION ${TARSEL_INSTALL_DIR}/localization
        PATTERN ".keep" EXCLUDE)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/help/ DESTINATION ${TARSEL_INSTALL_DIR}/help PATTERN ".keep" EXCLUDE)
install(DIRECTORY DESTINATION ${TARSEL_INSTALL_DIR}/Feeds)
install(FILES ${CMAKE_SOURCE_DIR}/data/tarsel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/tarsel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(program tarsel tarsel-cli)
  if(TARGET ${program})
    install(CODE "
      file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
      file(CREATE_LINK \"../${TARSEL_INSTALL_DIR}/${program}\"
           \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\" SYMBOLIC)")
  endif()
endforeach()
