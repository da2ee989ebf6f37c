# Warning flags for Quorvel's own targets. They are set per target, so a project
# that adds Quorvel as a subdirectory keeps its own flags.
function(quorvel_warnings target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
      -Woverloaded-virtual -Wimplicit-fallthrough)
    if(QUORVEL_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  elseif(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${QUORVEL_WARNINGS_AS_ERRORS}>:/WX>)
  endif()
endfunction()

# The language level and the flags every Quorvel target is built with.
function(quorvel_target target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  set_target_properties(${target} PROPERTIES CXX_EXTENSIONS OFF POSITION_INDEPENDENT_CODE ON)
  quorvel_warnings(${target})
endfunction()

# A library's public headers, named one by one beside the call: installed under
# include/ with the same quorvel/... paths the sources use. A header not named
# stays internal to the library's folder.
function(quorvel_public_headers target scope)
  list(TRANSFORM ARGN PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ OUTPUT_VARIABLE headers)
  target_sources(${target} ${scope} FILE_SET HEADERS
                 BASE_DIRS ${PROJECT_SOURCE_DIR}/src FILES ${headers})
endfunction()
