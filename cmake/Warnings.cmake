# Every target of ours builds with these; warnings are treated as errors in CI builds.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
                    -Wcast-align -Woverloaded-virtual -Wformat=2)
if(DEFINED ENV{CI})
    add_compile_options(-Werror)
endif()
