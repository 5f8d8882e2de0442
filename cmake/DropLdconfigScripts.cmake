# CPack post-build step for the Debian package: removes the postinst and
# postrm scripts CPack writes to call ldconfig whenever a shared object lies
# one folder below /usr/lib. The package's only one is the orvellan plug-in in
# its private folder (lib/quillmora), which the dynamic linker never searches
# and which the program loads by path, so nothing needs ldconfig, and the
# package has no maintainer scripts of its own.
if(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA)
  message(FATAL_ERROR "the package has maintainer scripts of its own; this step would remove them")
endif()
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.deb$")
    continue()
  endif()
  set(tree "${package}.tree")
  file(REMOVE_RECURSE "${tree}")
  execute_process(COMMAND dpkg-deb -R "${package}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE "${tree}/DEBIAN/postinst" "${tree}/DEBIAN/postrm")
  execute_process(COMMAND dpkg-deb --root-owner-group -b "${tree}" "${package}" OUTPUT_QUIET
                  COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${tree}")
endforeach()
