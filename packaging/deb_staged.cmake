# Run by CPack on the package's staged files, before it packs them:
#   folders are made 0755, as Debian wants them, whatever umask the build ran under
#   (CMake creates the folders it installs into through the umask);
#   the binary loses the sections dh_strip takes away (.comment, .note) beyond what
#   CPack's strip did.
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(path ${staged})
    if(IS_DIRECTORY "${path}" AND NOT IS_SYMLINK "${path}")
        file(CHMOD "${path}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
             GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    endif()
endforeach()
execute_process(
    COMMAND "${CPACK_ORBELIUM_STRIP}" --remove-section=.comment --remove-section=.note
            "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/games/orbelium"
    COMMAND_ERROR_IS_FATAL ANY)
