# `cmake --install` lays Quillmora out as a freedesktop program under the
# prefix; `cpack -G DEB` builds the Debian package from the same rules.
set(QM_APP_ID org.example.oxbrindle.Quillmora)

install(TARGETS quillmora quillmora-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS quillmora-decoder RUNTIME DESTINATION ${QM_INSTALL_LIBEXEC_SUBDIR})
# A plug-in loaded by path (platform/com), not a library anything links with:
# no soname, no development files.
install(TARGETS orvellan LIBRARY DESTINATION ${QM_INSTALL_LIB_SUBDIR} NAMELINK_SKIP)
install(FILES data/quillmorahelp.hlp DESTINATION ${QM_INSTALL_DATA_SUBDIR})
install(FILES data/${QM_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/${QM_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/icons/quillmora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${QM_APP_ID}.svg)
foreach(size 16 24 32 48 64 128 256)
  install(FILES data/icons/png/${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${QM_APP_ID}.png)
endforeach()

set(CPACK_PACKAGE_NAME quillmora)
set(CPACK_PACKAGE_VENDOR "Oxbrindle")
set(CPACK_PACKAGE_CONTACT "Oxbrindle <support@oxbrindle.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch thumbnails and HTML image albums")
set(CPACK_PACKAGE_DESCRIPTION "Quillmora batch-resizes and converts image files into thumbnails
and writes HTML image albums from them, with a full-size preview.
quillmora-batch runs the same batch from the command line.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://oxbrindle.example.org/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# Libraries come from the binaries (dpkg-shlibdeps); Qt's platform plugins are
# what a window needs besides them (fontconfig brings a font); xdg-utils opens
# web pages and albums in the browser.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "kinfocenter | hardinfo")
include(CPack)

# Checks of the installed program (tests): the layout in a scratch prefix, and
# the desktop entry and metadata by the freedesktop validators.
if(BUILD_TESTING)
  set(QM_INSTALL_CHECK_PREFIX ${CMAKE_BINARY_DIR}/install-check)
  add_test(NAME install_layout COMMAND ${CMAKE_COMMAND}
    -DBUILD_DIR=${CMAKE_BINARY_DIR} -DPREFIX=${QM_INSTALL_CHECK_PREFIX} -DAPP_ID=${QM_APP_ID}
    -DBIN_TO_LIBEXEC=${QM_BIN_TO_LIBEXEC} -DBIN_TO_LIB=${QM_BIN_TO_LIB} -DBIN_TO_DATA=${QM_BIN_TO_DATA}
    -P ${CMAKE_SOURCE_DIR}/cmake/InstallCheck.cmake)
  set_tests_properties(install_layout PROPERTIES FIXTURES_SETUP installed TIMEOUT 120)
  add_test(NAME install_metadata_valid COMMAND ${CMAKE_COMMAND}
    -DPREFIX=${QM_INSTALL_CHECK_PREFIX} -DAPP_ID=${QM_APP_ID}
    -P ${CMAKE_SOURCE_DIR}/cmake/ValidateMetadata.cmake)
  set_tests_properties(install_metadata_valid PROPERTIES FIXTURES_REQUIRED installed
    SKIP_REGULAR_EXPRESSION "SKIPPED:" TIMEOUT 60)
endif()
