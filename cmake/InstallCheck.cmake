# Installs the build into a scratch prefix and checks the installed program:
# every part where the program looks for it, and the installed quillmora-batch
# making a thumbnail through the installed decoder.
#
#   cmake -DBUILD_DIR=... -DPREFIX=... -DAPP_ID=... -DBIN_TO_LIBEXEC=... -DBIN_TO_LIB=...
#         -DBIN_TO_DATA=... -P InstallCheck.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(bin "${PREFIX}/bin")
foreach(part
    "${bin}/quillmora" "${bin}/quillmora-batch"
    "${bin}/${BIN_TO_LIBEXEC}/quillmora-decoder"
    "${bin}/${BIN_TO_LIB}/liborvellan.so"
    "${bin}/${BIN_TO_DATA}/quillmorahelp.hlp"
    "${PREFIX}/share/applications/${APP_ID}.desktop"
    "${PREFIX}/share/metainfo/${APP_ID}.metainfo.xml"
    "${PREFIX}/share/icons/hicolor/scalable/apps/${APP_ID}.svg"
    "${PREFIX}/share/icons/hicolor/48x48/apps/${APP_ID}.png"
    "${PREFIX}/share/icons/hicolor/256x256/apps/${APP_ID}.png"
    "${PREFIX}/share/man/man1/quillmora.1.gz" "${PREFIX}/share/man/man1/quillmora-batch.1.gz")
  if(NOT EXISTS "${part}")
    message(FATAL_ERROR "not installed: ${part}")
  endif()
endforeach()
# Nothing is left beside the installed program that would make it a build layout.
foreach(stray quillmora-decoder liborvellan.so quillmorahelp.hlp)
  if(EXISTS "${bin}/${stray}")
    message(FATAL_ERROR "installed beside the program: ${stray}")
  endif()
endforeach()

# No installed binary may look for libraries in the build folder.
find_program(READELF readelf)
if(READELF)
  foreach(binary "${bin}/quillmora" "${bin}/quillmora-batch" "${bin}/${BIN_TO_LIBEXEC}/quillmora-decoder"
                 "${bin}/${BIN_TO_LIB}/liborvellan.so")
    execute_process(COMMAND "${READELF}" -d "${binary}" OUTPUT_VARIABLE dynamic)
    if(dynamic MATCHES "R(UN)?PATH[^\n]*${BUILD_DIR}")
      message(FATAL_ERROR "${binary} keeps a search path into the build: ${CMAKE_MATCH_0}")
    endif()
  endforeach()
endif()

# A one-image folder (a plain-text PPM) through the installed quillmora-batch.
set(work "${PREFIX}-run")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}/in" "${work}/out")
file(WRITE "${work}/in/red.ppm" "P3\n2 2\n255\n255 0 0 255 0 0\n255 0 0 255 0 0\n")
execute_process(COMMAND "${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen
                        "${bin}/quillmora-batch" --dest "${work}/out" --format 4 "${work}/in"
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0 OR NOT EXISTS "${work}/out/TH_red.png")
  message(FATAL_ERROR "installed quillmora-batch failed (${result}):\n${out}\n${err}")
endif()
file(REMOVE_RECURSE "${work}")
message(STATUS "installed layout in ${PREFIX} works: ${out}")
