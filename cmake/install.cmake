# What `cmake --install` and the Debian package put where (below the prefix, /usr in the package):
# the programs in bin/, the database folder in share/pylora/database (read-only at run time; user
# data lives in the XDG folders), desktop integration (desktop file, AppStream metainfo, icons in
# the hicolor theme), the manual pages and the copyright file.
# Installing does not rebuild the whole project: `all` holds tests and benchmarks, and the package
# needs only what is installed here (scripts/package builds exactly that).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
set(PYLORA_SHARE_DIR ${CMAKE_BINARY_DIR}/share)

install(TARGETS pylora-cli RUNTIME DESTINATION bin)
install(DIRECTORY ${PYLORA_DATABASE_DIR}/ DESTINATION share/pylora/database)
install(FILES ${CMAKE_SOURCE_DIR}/data/package/copyright DESTINATION share/doc/pylora)  # the licence: GPL-3+

# Manual pages, compressed as Debian keeps them. pylora-cli(1) is made from the program's help.
find_program(PYLORA_GZIP gzip REQUIRED)
set(PYLORA_MAN_DIR ${PYLORA_SHARE_DIR}/man/man1)
file(MAKE_DIRECTORY ${PYLORA_MAN_DIR})
add_custom_command(OUTPUT ${PYLORA_MAN_DIR}/pylora-cli.1.gz
  COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:pylora-cli> -DVERSION=${PROJECT_VERSION}
          -DOUTPUT=${PYLORA_MAN_DIR}/pylora-cli.1 -P ${CMAKE_SOURCE_DIR}/cmake/cli_man_page.cmake
  COMMAND ${PYLORA_GZIP} -9nf ${PYLORA_MAN_DIR}/pylora-cli.1
  DEPENDS pylora-cli ${CMAKE_SOURCE_DIR}/cmake/cli_man_page.cmake
  COMMENT "Writing the manual page pylora-cli(1) from its help"
  VERBATIM)
configure_file(${CMAKE_SOURCE_DIR}/data/package/pylora.1.in ${PYLORA_MAN_DIR}/pylora.1 @ONLY)
add_custom_command(OUTPUT ${PYLORA_MAN_DIR}/pylora.1.gz
  COMMAND ${PYLORA_GZIP} -9nkf ${PYLORA_MAN_DIR}/pylora.1
  DEPENDS ${PYLORA_MAN_DIR}/pylora.1
  VERBATIM)
add_custom_target(pylora_manual ALL DEPENDS ${PYLORA_MAN_DIR}/pylora-cli.1.gz ${PYLORA_MAN_DIR}/pylora.1.gz)
install(FILES ${PYLORA_MAN_DIR}/pylora-cli.1.gz DESTINATION share/man/man1)

if(PYLORA_BUILD_GUI)
  install(TARGETS pylora RUNTIME DESTINATION bin)
  # pylora-cli hands PDF and DOCX reports to pylora-report; both lay them out in the report font.
  install(TARGETS pylora-report RUNTIME DESTINATION bin)
  install(FILES ${PYLORA_SHARE_DIR}/pylora/fonts/PyloraReportHei.ttf DESTINATION share/pylora/fonts)
  install(FILES ${PYLORA_MAN_DIR}/pylora.1.gz DESTINATION share/man/man1)
  install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/cn.pylora.Pylora.desktop DESTINATION share/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/cn.pylora.Pylora.metainfo.xml DESTINATION share/metainfo)

  # The icon: the drawing itself for the scalable size, and PNGs rendered from it for the fixed
  # sizes that menus and docks ask the icon theme for.
  set(PYLORA_ICON_SVG ${CMAKE_SOURCE_DIR}/src/shell/resources/pylora.svg)
  install(FILES ${PYLORA_ICON_SVG} DESTINATION share/icons/hicolor/scalable/apps RENAME cn.pylora.Pylora.svg)
  find_program(PYLORA_RSVG_CONVERT rsvg-convert REQUIRED)
  set(PYLORA_ICON_PNGS)
  foreach(size 16 22 24 32 48 64 128 256)
    set(dir ${PYLORA_SHARE_DIR}/icons/hicolor/${size}x${size}/apps)
    add_custom_command(OUTPUT ${dir}/cn.pylora.Pylora.png
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
      COMMAND ${PYLORA_RSVG_CONVERT} -w ${size} -h ${size} -o ${dir}/cn.pylora.Pylora.png ${PYLORA_ICON_SVG}
      DEPENDS ${PYLORA_ICON_SVG}
      VERBATIM)
    list(APPEND PYLORA_ICON_PNGS ${dir}/cn.pylora.Pylora.png)
    install(FILES ${dir}/cn.pylora.Pylora.png DESTINATION share/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_target(pylora_icons ALL DEPENDS ${PYLORA_ICON_PNGS})
endif()
