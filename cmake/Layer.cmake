# Makes the headers of the current folder reachable as "<prefix>/..." for target and for what
# links it, and for nothing else (the folder's parent stays out of every include path).
function(exp036_public_headers target prefix)
  set(root ${CMAKE_BINARY_DIR}/headers/${target})
  get_filename_component(parent ${root}/${prefix} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${prefix} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# One target per layer of the host framework (an object library), linked only to the layers
# below it. A layer's headers are reachable as "host/<layer>/..." only through a folder of its
# own in the build tree, which consumers see by linking the layer: an include that runs up the
# stack finds no such file and fails to compile.
#
#   exp036_layer(NAME SOURCES a.cpp ... [LAYERS lower ...] [LIBRARIES third-party ...])
function(exp036_layer name)
  cmake_parse_arguments(LAYER "" "" "SOURCES;LAYERS;LIBRARIES" ${ARGN})
  set(target hostfw_${name})
  add_library(${target} OBJECT ${LAYER_SOURCES})
  exp036_public_headers(${target} host/${name})
  foreach(lower ${LAYER_LAYERS})
    target_link_libraries(${target} PUBLIC hostfw_${lower})
  endforeach()
  target_link_libraries(${target} PRIVATE ${LAYER_LIBRARIES})
  # Compiled into the framework's shared libraries, whose exports these objects provide.
  target_compile_definitions(${target} PRIVATE hostfw_EXPORTS)
  exp036_warnings(${target})
endfunction()
