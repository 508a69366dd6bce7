# Each layer of the core is a static library whose headers are reachable only through its
# own include root, so that a file can include a header of layer L only when its target
# links L. A root is a folder in the build tree holding one link to the layer's source
# folder: "divider/X.h" resolves for targets that link ordavin_divider and for no other.
set(ORDAVIN_LAYER_ROOT ${PROJECT_BINARY_DIR}/layers)

# ordavin_layer_include_root(<folder> <out-var>): the include root that exposes <folder>.
function(ordavin_layer_include_root folder out)
  set(root ${ORDAVIN_LAYER_ROOT}/${folder})
  if(NOT EXISTS ${root}/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC RESULT failed)
    if(failed)
      # Without symbolic links (some Windows set-ups) the layering is not enforced.
      message(STATUS "Layer ${folder}: no symbolic link (${failed}); using the source root")
      set(root ${PROJECT_SOURCE_DIR})
    endif()
  endif()
  set(${out} ${root} PARENT_SCOPE)
endfunction()

# ordavin_layer(<folder> SOURCES <files...> [DEPENDS <layer targets...>])
# Adds the static library ordavin_<folder> from <folder>/<files>.
function(ordavin_layer folder)
  cmake_parse_arguments(PARSE_ARGV 1 LAYER "" "" "SOURCES;DEPENDS")
  set(target ordavin_${folder})
  list(TRANSFORM LAYER_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/${folder}/)
  if(LAYER_SOURCES)
    add_library(${target} STATIC ${LAYER_SOURCES})
    set(scope PUBLIC)
    target_link_libraries(${target} PRIVATE Ordavin::Warnings Ordavin::ExactFp)
  else()
    add_library(${target} INTERFACE)
    set(scope INTERFACE)
  endif()
  ordavin_layer_include_root(${folder} root)
  target_include_directories(${target} ${scope} ${root})
  target_link_libraries(${target} ${scope} ${LAYER_DEPENDS})
endfunction()
