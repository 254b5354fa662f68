# The installed layout: programs in bin, the framework and the module in a folder of their own
# under lib, report definitions and the schema under share. Everything finds what it needs
# through run paths relative to itself, so an installed tree works wherever it is unpacked.
set(EXP036_INSTALL_LIBDIR lib/exp036)
set(EXP036_INSTALL_DATADIR share/exp036)

# exp036_install(COMPONENT name TARGETS target ...)
function(exp036_install)
  cmake_parse_arguments(INSTALL "" "COMPONENT" "TARGETS" ${ARGN})
  foreach(target ${INSTALL_TARGETS})
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/../${EXP036_INSTALL_LIBDIR}")
      install(TARGETS ${target} RUNTIME DESTINATION bin COMPONENT ${INSTALL_COMPONENT})
    else()
      set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN")
      install(TARGETS ${target} LIBRARY DESTINATION ${EXP036_INSTALL_LIBDIR}
              COMPONENT ${INSTALL_COMPONENT})
    endif()
  endforeach()
endfunction()
