# Where `cmake --install` puts the program's parts, as folders relative to
# the installed executable. The program finds its decoder, the orvellan
# library and its help file through these (platform/files/ProgramFiles), so an
# installed copy works under any prefix.
include(GNUInstallDirs)

set(QM_INSTALL_LIBEXEC_SUBDIR "${CMAKE_INSTALL_LIBEXECDIR}/quillmora")  # quillmora-decoder
set(QM_INSTALL_LIB_SUBDIR "${CMAKE_INSTALL_LIBDIR}/quillmora")          # liborvellan.so
set(QM_INSTALL_DATA_SUBDIR "${CMAKE_INSTALL_DATADIR}/quillmora")        # the help file

# A folder relative to the installed bin folder (absolute folders stay absolute).
function(qm_relative_to_bindir out folder)
  if(IS_ABSOLUTE "${folder}")
    set(${out} "${folder}" PARENT_SCOPE)
  elseif(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
    set(${out} "${CMAKE_INSTALL_PREFIX}/${folder}" PARENT_SCOPE)
  else()
    file(RELATIVE_PATH relative "/prefix/${CMAKE_INSTALL_BINDIR}" "/prefix/${folder}")
    set(${out} "${relative}" PARENT_SCOPE)
  endif()
endfunction()

qm_relative_to_bindir(QM_BIN_TO_LIBEXEC "${QM_INSTALL_LIBEXEC_SUBDIR}")
qm_relative_to_bindir(QM_BIN_TO_LIB "${QM_INSTALL_LIB_SUBDIR}")
qm_relative_to_bindir(QM_BIN_TO_DATA "${QM_INSTALL_DATA_SUBDIR}")
