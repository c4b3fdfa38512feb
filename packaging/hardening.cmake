# Debian's hardening, as its own packages are built, for what the package ships (the game's
# library and binary): dpkg-buildflags with every hardening feature on, that is fortified
# functions, stack protector, format security and full RELRO with bind-now. PIE needs no
# flag, Debian's compilers make it by default (the install test checks the binary). The
# optimisation and debug flags are left to the build type. The sanitizer builds go
# without: fortified calls bypass the ones AddressSanitizer watches.
option(ORBELIUM_HARDENING "Build the game with Debian's hardening flags (dpkg-buildflags)" ON)

function(orbelium_harden library executable)
    if(NOT ORBELIUM_HARDENING OR ORBELIUM_SANITIZE)
        return()
    endif()
    find_program(ORBELIUM_DPKG_BUILDFLAGS dpkg-buildflags)
    if(NOT ORBELIUM_DPKG_BUILDFLAGS)
        # The game plays without them; the install test refuses a package built so.
        message(WARNING "dpkg-buildflags is missing (Debian package dpkg-dev): not hardened")
        return()
    endif()
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                    "DEB_${kind}_MAINT_STRIP=-g -O2" ${ORBELIUM_DPKG_BUILDFLAGS} --get ${kind}
            WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
            OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
            COMMAND_ERROR_IS_FATAL ANY)
        separate_arguments(${kind} UNIX_COMMAND "${flags}")
    endforeach()
    foreach(target ${library} ${executable})
        target_compile_options(${target} PRIVATE ${CPPFLAGS} ${CXXFLAGS})
    endforeach()
    target_link_options(${executable} PRIVATE ${LDFLAGS})
    string(JOIN " " shown ${CPPFLAGS} ${CXXFLAGS} ${LDFLAGS})
    message(STATUS "The game is hardened: ${shown}")
endfunction()
