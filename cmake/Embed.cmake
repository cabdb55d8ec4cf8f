# velmoran_embed_assets(<target> <file> ...)
# Compiles the named files of assets/ into <target>, so that the programs need
# nothing beside them at run time. Code reads them with velmoran::FindAsset().
function(velmoran_embed_assets target)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_assets.cpp)
  set(inputs)
  foreach(name IN LISTS ARGN)
    list(APPEND inputs ${PROJECT_SOURCE_DIR}/assets/${name})
  endforeach()
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUT=${out} -DDIR=${PROJECT_SOURCE_DIR}/assets
            "-DNAMES=${ARGN}" -P ${PROJECT_SOURCE_DIR}/cmake/embed_assets.cmake
    DEPENDS ${inputs} ${PROJECT_SOURCE_DIR}/cmake/embed_assets.cmake
    COMMENT "Embedding assets into ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
