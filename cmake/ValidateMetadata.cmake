# Validates the installed desktop entry and AppStream metadata with the
# freedesktop tools (Debian packages desktop-file-utils and appstream);
# reports a skip when they are not installed.
#
#   cmake -DPREFIX=... -DAPP_ID=... -P ValidateMetadata.cmake
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(NOT DESKTOP_FILE_VALIDATE OR NOT APPSTREAMCLI)
  message("SKIPPED: desktop-file-validate or appstreamcli is missing (install desktop-file-utils and appstream)")
  return()
endif()
execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${PREFIX}/share/applications/${APP_ID}.desktop"
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 0 OR out MATCHES "error:")
  message(FATAL_ERROR "desktop-file-validate: ${out}")
endif()
execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net "${PREFIX}/share/metainfo/${APP_ID}.metainfo.xml"
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "appstreamcli validate: ${out}")
endif()
message(STATUS "desktop entry and AppStream metadata are valid")
