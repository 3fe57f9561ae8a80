# Writes a C++ source that holds the bytes of each given file as a constant array.
# Run as: cmake -DOUT=<file.cpp> -DFILES=<a;b;...> -DSYMBOLS=<s1;s2;...> -P embed.cmake
list(LENGTH FILES count)
math(EXPR last "${count} - 1")
set(text "// Generated at build time from the resource files; do not edit.\n#include <cstdint>\n#include <cstddef>\n\n")
foreach(i RANGE ${last})
  list(GET FILES ${i} file)
  list(GET SYMBOLS ${i} symbol)
  file(READ "${file}" hex HEX)
  string(LENGTH "${hex}" hexLength)
  math(EXPR size "${hexLength} / 2")
  # Sixteen bytes a line keeps the generated file readable and quick to compile.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REPEAT "0x..," 16 line)
  string(REGEX REPLACE "(${line})" "\\1\n" bytes "${bytes}")
  string(APPEND text "extern const std::uint8_t ${symbol}[${size}] = {\n${bytes}\n};\n")
  string(APPEND text "extern const std::size_t ${symbol}_size = ${size};\n\n")
endforeach()
file(WRITE "${OUT}" "${text}")
