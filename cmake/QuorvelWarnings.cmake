# Warnings are errors in every build of the project's own code.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                      -Wold-style-cast -Wcast-align -Woverloaded-virtual
                      -Wimplicit-fallthrough -Werror)
endif()
