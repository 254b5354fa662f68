# Turns a text file into a C++ source that defines `std::string_view NAME()`,
# so stored definitions travel inside the binary that uses them.
function(exp036_embed_text target input symbol namespace)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${out} -DSYMBOL=${symbol}
            -DNAMESPACE=${namespace} -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFileScript.cmake
    DEPENDS ${input} ${PROJECT_SOURCE_DIR}/cmake/EmbedFileScript.cmake
    COMMENT "Embedding ${input}")
  target_sources(${target} PRIVATE ${out})
endfunction()
