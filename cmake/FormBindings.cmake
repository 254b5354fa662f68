# A form's members and handler table generated from its stored definition (apps/formgen):
#
#   exp036_form_bindings(TARGET DEFINITION dfm [ANCESTORS dfm ...] NAMESPACE ns
#     FORM_HEADER header MEMBERS_HEADER header EXPORT_MACRO macro EXPORT_HEADER header)
#
# MEMBERS_HEADER is the include path under which the form's header includes the generated
# struct of members; the generated source, defining the form's RegisterHandlers and
# BindMembers, is compiled into TARGET. A handler a definition names and the form lacks stops
# the build with the definition's file, line and the handler's name.
function(exp036_form_bindings target)
  cmake_parse_arguments(FORM "" "DEFINITION;NAMESPACE;FORM_HEADER;MEMBERS_HEADER;EXPORT_MACRO;EXPORT_HEADER"
    "ANCESTORS" ${ARGN})
  set(root ${CMAKE_BINARY_DIR}/generated/${target})
  set(header ${root}/${FORM_MEMBERS_HEADER})
  get_filename_component(folder ${header} DIRECTORY)
  get_filename_component(stem ${header} NAME_WE)
  string(REGEX REPLACE "_members$" "" stem ${stem})
  set(source ${folder}/${stem}_bindings.cpp)
  file(MAKE_DIRECTORY ${folder})
  # Paths relative to the project, so messages and the generated files name them that way.
  file(RELATIVE_PATH definition ${PROJECT_SOURCE_DIR} ${FORM_DEFINITION})
  set(arguments --definition ${definition})
  foreach(ancestor ${FORM_ANCESTORS})
    file(RELATIVE_PATH ancestor ${PROJECT_SOURCE_DIR} ${ancestor})
    list(APPEND arguments --ancestor ${ancestor})
  endforeach()
  add_custom_command(
    OUTPUT ${header} ${source}
    COMMAND exp036-formgen ${arguments} --namespace ${FORM_NAMESPACE}
            --form-header ${FORM_FORM_HEADER} --export-macro ${FORM_EXPORT_MACRO}
            --export-header ${FORM_EXPORT_HEADER} --header-out ${header} --source-out ${source}
    DEPENDS exp036-formgen ${FORM_DEFINITION} ${FORM_ANCESTORS}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    COMMENT "Generating the bindings of ${definition}")
  target_sources(${target} PRIVATE ${source} ${header})
  target_include_directories(${target} PUBLIC ${root})
endfunction()
