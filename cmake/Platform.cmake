# The libraries each back end uses, as imported targets:
#   velmoran::gl      OpenGL 1.1 and GLU
#   velmoran::window  the viewer's window systems (Xlib with GLX and XRandR, and
#                     wayland-client with EGL and xkbcommon, on Linux; Win32)
#   velmoran::forms   the saver's forms, windows, graphics and shell, and its
#                     display drivers' libraries
#   velmoran::sound   the saver's sound module (Linux only: SDL_mixer, libcdio)
if(WIN32)
  set(VELMORAN_BACKEND win32)
  add_library(velmoran_gl INTERFACE)
  target_link_libraries(velmoran_gl INTERFACE opengl32 glu32)
  add_library(velmoran_window INTERFACE)
  target_link_libraries(velmoran_window INTERFACE user32 gdi32)
  add_library(velmoran_forms INTERFACE)
  target_link_libraries(velmoran_forms INTERFACE
    user32 gdi32 msimg32 winmm comdlg32 shell32 ole32 oleaut32 uuid gdiplus)
  target_compile_definitions(velmoran_forms INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
else()
  set(VELMORAN_BACKEND x11)
  find_package(OpenGL REQUIRED COMPONENTS OpenGL GLX)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(GLU REQUIRED IMPORTED_TARGET glu)
  pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
  pkg_check_modules(SDL2_MIXER REQUIRED IMPORTED_TARGET SDL2_mixer)
  pkg_check_modules(CDIO REQUIRED IMPORTED_TARGET libcdio libcdio_cdda)
  find_package(X11 REQUIRED)
  find_package(FLTK REQUIRED NO_MODULE HINTS /usr/lib/fltk)

  add_library(velmoran_gl INTERFACE)
  target_link_libraries(velmoran_gl INTERFACE OpenGL::GL PkgConfig::GLU)
  add_library(velmoran_window INTERFACE)
  pkg_check_modules(WAYLAND REQUIRED IMPORTED_TARGET wayland-client wayland-egl egl xkbcommon)
  pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
  target_link_libraries(velmoran_window INTERFACE OpenGL::GLX X11::X11 X11::Xrandr PkgConfig::WAYLAND)
  add_library(velmoran_forms INTERFACE)
  # The saver's forms and its display drivers: FLTK on X11, and for the
  # Wayland driver the Wayland client library, sd-bus (the desktop portal's
  # screenshot) and libpng (the picture the portal leaves).
  pkg_check_modules(WAYLAND_CLIENT REQUIRED IMPORTED_TARGET wayland-client)
  pkg_check_modules(PORTAL REQUIRED IMPORTED_TARGET libsystemd libpng)
  target_link_libraries(velmoran_forms INTERFACE
    fltk fltk_images X11::X11 X11::Xfixes X11::Xext X11::Xcomposite PkgConfig::WAYLAND_CLIENT
    PkgConfig::PORTAL ${CMAKE_DL_LIBS})
  target_include_directories(velmoran_forms INTERFACE ${FLTK_INCLUDE_DIRS})
  add_library(velmoran_sound INTERFACE)
  target_link_libraries(velmoran_sound INTERFACE PkgConfig::SDL2_MIXER PkgConfig::SDL2 PkgConfig::CDIO)
  add_library(velmoran::sound ALIAS velmoran_sound)
endif()
add_library(velmoran::gl ALIAS velmoran_gl)
add_library(velmoran::window ALIAS velmoran_window)
add_library(velmoran::forms ALIAS velmoran_forms)

# velmoran_program(<target> <file name> <sources...>): one of the two shipped
# programs, a GUI executable written to bin/ under its product file name.
function(velmoran_program target filename)
  add_executable(${target} WIN32 ${ARGN})
  string(REGEX REPLACE "^(.*)(\\.[^.]*)$" "\\1" base ${filename})
  string(REGEX REPLACE "^.*(\\.[^.]*)$" "\\1" ext ${filename})
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${base} SUFFIX ${ext}
    RUNTIME_OUTPUT_DIRECTORY ${VELMORAN_BIN_DIR})
endfunction()
