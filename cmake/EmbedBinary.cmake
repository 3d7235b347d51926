# embed_binary(FILE SYMBOL OUTPUT): generates OUTPUT in the build folder, a C++
# file defining `const unsigned char SYMBOL[]` and `const size_t SYMBOL_size`
# with the bytes of FILE, so the data lands in the exe's read-only section.
function(embed_binary file symbol output)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/${output}
    COMMAND ${CMAKE_COMMAND} -DIN=${file} -DOUT=${CMAKE_BINARY_DIR}/${output}
            -DSYMBOL=${symbol} -P ${CMAKE_SOURCE_DIR}/cmake/EmbedBinaryRun.cmake
    DEPENDS ${file} ${CMAKE_SOURCE_DIR}/cmake/EmbedBinaryRun.cmake
    VERBATIM)
endfunction()
