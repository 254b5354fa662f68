# Our own code builds with warnings as errors; third-party headers come in as SYSTEM.
function(exp036_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
    -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Woverloaded-virtual
    -Wnull-dereference -Wformat=2 -Werror)
  # Optimising, g++ 12 takes "text" + std::string for an overlapping copy, a moved-from
  # std::optional<std::vector> for an uninitialised one, and a pointer checked before (Asio's
  # scheduler, a stream buffer read into a string, a widget a test made) for a possible null
  # dereference: false warnings. Debug, the build the tests run in, keeps all three on.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:-Wno-restrict>
      $<$<NOT:$<CONFIG:Debug>>:-Wno-maybe-uninitialized>
      $<$<NOT:$<CONFIG:Debug>>:-Wno-null-dereference>)
  endif()
  if(EXP036_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()
