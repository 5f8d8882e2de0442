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

# Manual pages and the package's changelog, compressed the way Debian wants
# them (gzip -9, no name or time stamp in the header); the copyright file as it is.
set(QM_GZIPPED_DIR ${CMAKE_BINARY_DIR}/gzipped)
set(QM_GZIPPED)
foreach(source data/man/quillmora.1 data/man/quillmora-batch.1 data/package/changelog)
  get_filename_component(name ${source} NAME)
  add_custom_command(OUTPUT ${QM_GZIPPED_DIR}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QM_GZIPPED_DIR}
    COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/${source} > ${QM_GZIPPED_DIR}/${name}.gz
    DEPENDS ${CMAKE_SOURCE_DIR}/${source} VERBATIM)
  list(APPEND QM_GZIPPED ${QM_GZIPPED_DIR}/${name}.gz)
endforeach()
add_custom_target(gzipped_docs ALL DEPENDS ${QM_GZIPPED})
install(FILES ${QM_GZIPPED_DIR}/quillmora.1.gz ${QM_GZIPPED_DIR}/quillmora-batch.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${QM_GZIPPED_DIR}/changelog.gz data/package/copyright
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/quillmora)

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
# No ldconfig calls: see the script.
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/DropLdconfigScripts.cmake)
include(CPack)

# Checks of the installed program (tests): the layout in a scratch prefix, the
# desktop entry and metadata by the freedesktop validators, and the package.
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
  # The Debian package, built from the same build, by lintian's rules.
  add_test(NAME package_lintian COMMAND ${CMAKE_COMMAND}
    -DBUILD_DIR=${CMAKE_BINARY_DIR} -DCPACK=${CMAKE_CPACK_COMMAND} -DOUT_DIR=${CMAKE_BINARY_DIR}/lintian-check
    -P ${CMAKE_SOURCE_DIR}/cmake/LintianCheck.cmake)
  set_tests_properties(package_lintian PROPERTIES SKIP_REGULAR_EXPRESSION "SKIPPED:" TIMEOUT 120)
endif()
