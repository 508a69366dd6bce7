include_guard(GLOBAL)

# ordavin_install_compressed(<file> <destination> <name>): installs <file> compressed with
# gzip as <destination>/<name>. The file is compressed at install time, so it may be one that
# install(CODE) writes just before. No name or time stamp is stored in the archive, so the
# same file always gives the same bytes. Unix only (gzip).
function(ordavin_install_compressed file destination name)
  get_filename_component(folder ${file} DIRECTORY)
  set(compressed ${folder}/${name})
  install(CODE "
    execute_process(COMMAND gzip -9 -n -c \"${file}\" OUTPUT_FILE \"${compressed}\"
                    RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR \"gzip could not compress ${file}: \${failed}\")
    endif()
  ")
  install(FILES ${compressed} DESTINATION ${destination})
endfunction()
