# Debian's hardening flags, as dpkg-buildflags gives them with every feature
# on: fortified C library calls, stack protector, format checks, read-only
# relocations bound at start (relro, bindnow). Position-independent
# executables are Debian's compiler default already. Only these are taken:
# the optimisation level and debug information stay the build type's.
find_program(ORBILUX_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT ORBILUX_DPKG_BUILDFLAGS)
  message(WARNING "ORBILUX_HARDENING: no dpkg-buildflags here, building without Debian's hardening flags")
  return()
endif()
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                          ${ORBILUX_DPKG_BUILDFLAGS} --get ${kind}
                  OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  foreach(flag IN LISTS flags)
    if(NOT flag MATCHES "^-(D_FORTIFY_SOURCE|fstack-|fcf-protection|Wformat|Werror=format-security|f?[pP][iI][eE]|Wl,-z,)")
      continue()
    endif()
    if(kind STREQUAL LDFLAGS)
      add_link_options(${flag})
    else()
      add_compile_options(${flag})
    endif()
  endforeach()
endforeach()
