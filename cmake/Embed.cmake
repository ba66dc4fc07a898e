# penlark_embed(<target> <symbol> <file>): adds a static library <target> that holds the
# bytes of <file> as `extern const unsigned char <symbol>[]` and `<symbol>_size`.
function(penlark_embed target symbol file)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${symbol}.cpp)
    add_custom_command(
        OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -DINPUT=${file} -DOUTPUT=${out} -DSYMBOL=${symbol}
                -P ${CMAKE_SOURCE_DIR}/cmake/EmbedScript.cmake
        DEPENDS ${file} ${CMAKE_SOURCE_DIR}/cmake/EmbedScript.cmake
        VERBATIM)
    add_library(${target} STATIC ${out})
endfunction()
