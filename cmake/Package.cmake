# What `cpack` makes of the install rules: on Linux a Debian package, on
# Windows a setup program (NSIS, from packaging/windows/NSIS.template.in) and
# a portable .zip. Programs are shipped stripped (cmake/Install.cmake keeps
# their debug information in the build folder's debug/).
set(CPACK_PACKAGE_VENDOR "Velmoran")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "screen saver: your own desktop inside a tumbling sphere, with music")
set(CPACK_PACKAGE_CONTACT "Velmoran developers <velmoran@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://velmoran.example.org/")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/package_file_names.cmake)

if(WIN32)
  set(CPACK_GENERATOR "NSIS64;ZIP")
  set(CPACK_PACKAGE_NAME Velmoran)
  set(CPACK_SYSTEM_NAME win64)
  set(CPACK_PACKAGE_INSTALL_DIRECTORY Velmoran)
  set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Velmoran)
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
  set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/assets/velmoran.ico)
  set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
  set(CPACK_VELMORAN_NSIS_TEXTS ${PROJECT_SOURCE_DIR}/packaging/windows/languages.nsh)
  # CPack looks for its NSIS template in the module path first.
  list(PREPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/packaging/windows)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGE_NAME velmoran)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION x11)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # Beyond the libraries the programs link: a font for the settings dialog's
  # Japanese texts.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver")
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"When the screen saver starts, it photographs the desktop and shows the
picture on the inside of a slowly tumbling sphere, while background music
plays: an audio CD, an MP3 or a WAV file. Escape ends the show.
.
The package puts the screen saver where XScreenSaver and the desktops look
for display modes, and a menu entry for its settings dialog.")
endif()

include(CPack)
