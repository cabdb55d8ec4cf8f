# velmoran_wayland_protocols(<target> <protocol xml...>): generates each
# protocol's client header and glue code with wayland-scanner at build time
# and adds them to <target>; the headers are included by the protocol's name,
# "<name>-client-protocol.h".
find_program(WAYLAND_SCANNER wayland-scanner REQUIRED)
function(velmoran_wayland_protocols target)
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/wayland-protocols)
  file(MAKE_DIRECTORY ${out_dir})
  foreach(xml IN LISTS ARGN)
    get_filename_component(name ${xml} NAME_WE)
    set(header ${out_dir}/${name}-client-protocol.h)
    set(code ${out_dir}/${name}-protocol.c)
    add_custom_command(OUTPUT ${header}
      COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${header}
      DEPENDS ${xml} VERBATIM)
    add_custom_command(OUTPUT ${code}
      COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${code}
      DEPENDS ${xml} VERBATIM)
    target_sources(${target} PRIVATE ${header} ${code})
  endforeach()
  target_include_directories(${target} PUBLIC ${out_dir})
endfunction()
