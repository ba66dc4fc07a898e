# Every target of ours builds with these; warnings are treated as errors in CI builds.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
                    -Wcast-align -Woverloaded-virtual -Wformat=2)
if(DEFINED ENV{CI})
    add_compile_options(-Werror)
endif()
# The charset tables check their fast paths against the plain rules at compile time, which
# takes a few million steps; clang stops at one million unless told otherwise.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    add_compile_options(-fconstexpr-steps=33554432)
endif()
