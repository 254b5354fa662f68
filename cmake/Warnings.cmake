# Our own code builds with warnings as errors; third-party headers come in as SYSTEM.
function(exp036_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
    -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Woverloaded-virtual
    -Wnull-dereference -Wformat=2 -Werror)
  # Optimising, g++ 12 takes "text" + std::string for an overlapping copy, and a moved-from
  # std::optional<std::vector> for an uninitialised one: false warnings (Debug keeps both on).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:-Wno-restrict>
      $<$<NOT:$<CONFIG:Debug>>:-Wno-maybe-uninitialized>)
  endif()
  if(EXP036_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# Asio's scheduler, inlined when optimising, dereferences a thread pointer it has checked
# before; g++ 12 takes that for a possible null dereference. Only the files that use Asio lose
# the warning, and only in optimised builds. Call it in the folder that builds those files.
function(exp036_asio_sources)
  set_source_files_properties(${ARGN} PROPERTIES COMPILE_OPTIONS
    "$<$<NOT:$<CONFIG:Debug>>:-Wno-null-dereference>")
endfunction()
