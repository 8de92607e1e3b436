# How the Linux programs go into the Debian package (x11/debian).
include(GNUInstallDirs)

# orbilux_install_program(TARGET DESTINATION): the program; a stripped
# install also drops the sections that only say which compiler built it
# (what Debian's own packaging strips).
function(orbilux_install_program target destination)
  install(TARGETS ${target} RUNTIME DESTINATION ${destination})
  install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${destination}/$<TARGET_FILE_NAME:${target}>\")
  endif()")
endfunction()

# orbilux_install_man(PAGE SECTION TARGET_NAME): the manual page PAGE (a path
# in this folder), compressed without a time stamp as Debian wants it, built
# by the target TARGET_NAME.
function(orbilux_install_man page section target_name)
  get_filename_component(name ${page} NAME)
  set(gz ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
  add_custom_command(OUTPUT ${gz} COMMAND gzip -9n -c ${CMAKE_CURRENT_SOURCE_DIR}/${page} > ${gz}
                     DEPENDS ${page} VERBATIM)
  add_custom_target(${target_name} ALL DEPENDS ${gz})
  install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endfunction()
