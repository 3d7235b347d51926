# Script half of embed_binary: run with -DIN= -DOUT= -DSYMBOL=.
file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n  " bytes "${bytes}")
file(WRITE "${OUT}" "// Generated from ${SYMBOL}'s source file; do not edit.
#include <cstddef>
extern const unsigned char ${SYMBOL}[] = {
  ${bytes}
};
extern const size_t ${SYMBOL}_size = ${size};
")
