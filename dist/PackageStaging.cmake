# Run by CPack on the staged files, before they are packed: strips the
# program as Debian's own packages are stripped, and adds the notes for
# lintian that only the package carries.
set(_root ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
set(_program ${_root}/games/ikeasobi)
if(NOT EXISTS ${_program})
  message(FATAL_ERROR "the staged package has no ${_program}")
endif()
execute_process(
  COMMAND ${CPACK_IKEASOBI_STRIP} --remove-section=.comment --remove-section=.note
          --strip-unneeded ${_program}
  RESULT_VARIABLE _failed)
if(_failed)
  message(FATAL_ERROR "cannot strip ${_program}")
endif()

set(_dir_modes OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
file(MAKE_DIRECTORY ${_root}/share/lintian/overrides)
file(CHMOD ${_root}/share/lintian ${_root}/share/lintian/overrides PERMISSIONS ${_dir_modes})
file(COPY ${CPACK_IKEASOBI_DIST}/lintian/ikeasobi DESTINATION ${_root}/share/lintian/overrides
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
