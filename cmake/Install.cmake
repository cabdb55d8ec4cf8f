# What `cmake --install` puts where.
#
# Linux/X11 (GNUInstallDirs; the preset installs under /usr, whose libexec/
# is where XScreenSaver looks for its display modes):
#   libexec/velmoran/Velmoran.scr, Velmoran.dll   the two programs, side by side, and
#   libexec/velmoran/Velmoran-media.so            the saver's sound module, which it
#                                                 loads from its own folder
#   libexec/xscreensaver/velmoran                 XScreenSaver's name for the saver, a
#                                                 relative link: the saver finds its
#                                                 viewer beside its real path
#   share/xscreensaver/config/velmoran.xml        the hack's description for XScreenSaver
#   share/applications/screensavers/velmoran.desktop  the same for the desktops
#   share/applications/velmoran-settings.desktop  the menu's way to the settings dialog
#   share/icons/hicolor/32x32/apps/velmoran.png, share/man/man6/velmoran.6.gz,
#   share/doc/velmoran/copyright, changelog.gz
# Windows: the two programs, README.txt and LICENSE.txt in the top folder.
#
# `cmake --install --strip` (and CPack) ship the programs stripped; the debug
# information stays in the build folder's debug/, linked from the program.
include(GNUInstallDirs)

set(VELMORAN_DEBUG_DIR ${CMAKE_BINARY_DIR}/debug)
set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)

# velmoran_install_programs(<destination> <targets...>): programs, and
# modules (not executable themselves) beside them.
function(velmoran_install_programs destination)
  # Stripping writes the time into a Windows program's header, unless
  # SOURCE_DATE_EPOCH gives one: the build's time keeps every install of one
  # build (and its debug link's checksum) the same.
  list(GET ARGN 0 first)
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP AND NOT DEFINED ENV{SOURCE_DATE_EPOCH})
      file(TIMESTAMP \"$<TARGET_FILE:${first}>\" built_at \"%s\" UTC)
      set(ENV{SOURCE_DATE_EPOCH} \${built_at})
    endif()")
  install(TARGETS ${ARGN} RUNTIME DESTINATION ${destination}
          LIBRARY DESTINATION ${destination} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  foreach(target IN LISTS ARGN)
    install(CODE "
      if(CMAKE_INSTALL_DO_STRIP)
        include(${PROJECT_SOURCE_DIR}/cmake/keep_debug_info.cmake)
        velmoran_keep_debug_info(\"${CMAKE_OBJCOPY}\" \"$<TARGET_FILE:${target}>\"
          \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${destination}/$<TARGET_FILE_NAME:${target}>\"
          \"${VELMORAN_DEBUG_DIR}\")
      endif()")
  endforeach()
endfunction()

if(WIN32)
  velmoran_install_programs(. velmoran_saver velmoran_viewer)
  install(FILES README.md DESTINATION . RENAME README.txt)
  install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)
  return()
endif()

set(program_dir ${CMAKE_INSTALL_LIBEXECDIR}/velmoran)
set(hack_dir ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
set(staged ${CMAKE_BINARY_DIR}/packaging)
velmoran_install_programs(${program_dir} velmoran_saver velmoran_viewer velmoran_media)

# Paths the installed texts name.
set(VELMORAN_PROGRAM_DIR ${CMAKE_INSTALL_FULL_LIBEXECDIR}/velmoran)
set(VELMORAN_HACK ${CMAKE_INSTALL_FULL_LIBEXECDIR}/xscreensaver/velmoran)
set(VELMORAN_SETTINGS_ENTRY ${CMAKE_INSTALL_FULL_DATADIR}/applications/velmoran-settings.desktop)
foreach(file velmoran.desktop velmoran-settings.desktop velmoran.6)
  configure_file(${packaging_dir}/linux/${file}.in ${staged}/${file} @ONLY)
endforeach()

file(CREATE_LINK ../velmoran/Velmoran.scr ${staged}/velmoran SYMBOLIC)
install(FILES ${staged}/velmoran DESTINATION ${hack_dir})

install(FILES ${packaging_dir}/linux/velmoran.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
install(FILES ${staged}/velmoran.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications/screensavers)
install(FILES ${staged}/velmoran-settings.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_dir}/linux/velmoran.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)

# Manual pages are installed compressed, as the distributions keep them.
add_custom_command(OUTPUT ${staged}/velmoran.6.gz
  COMMAND gzip -9nkf ${staged}/velmoran.6
  DEPENDS ${staged}/velmoran.6 VERBATIM)
add_custom_target(velmoran_manual ALL DEPENDS ${staged}/velmoran.6.gz)
install(FILES ${staged}/velmoran.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# Who holds the copyright and under which licence, in the machine-readable
# form, and the package's history: its name says a native package, whose
# history is changelog.gz.
install(FILES ${packaging_dir}/linux/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmoran)
add_custom_command(OUTPUT ${staged}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${packaging_dir}/linux/changelog ${staged}/changelog
  COMMAND gzip -9nf ${staged}/changelog
  DEPENDS ${packaging_dir}/linux/changelog VERBATIM)
add_custom_target(velmoran_changelog ALL DEPENDS ${staged}/changelog.gz)
install(FILES ${staged}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmoran)
