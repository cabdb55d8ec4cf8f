# velmoran_keep_debug_info(<objcopy> <built> <installed> <debug dir>): the
# installed copy of a program has just been stripped; its debug information,
# taken from the built program, goes to <debug dir>/<name>.debug, and the
# installed copy names that file (with its checksum) for the debuggers.
function(velmoran_keep_debug_info objcopy built installed debug_dir)
  get_filename_component(name "${installed}" NAME)
  set(debug "${debug_dir}/${name}.debug")
  file(MAKE_DIRECTORY "${debug_dir}")
  execute_process(COMMAND "${objcopy}" --only-keep-debug "${built}" "${debug}"
                  COMMAND_ERROR_IS_FATAL ANY)
  file(CHMOD "${debug}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  execute_process(COMMAND "${objcopy}" --remove-section=.gnu_debuglink
                          "--add-gnu-debuglink=${debug}" "${installed}"
                  COMMAND_ERROR_IS_FATAL ANY)
endfunction()
