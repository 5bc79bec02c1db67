# Writes a C++ header that holds files as char arrays, NUL-terminated:
#   cmake -DOUTPUT=header.h -P embed-files.cmake NAME=PATH...
# Arrays of numbers, not string literals, so that no compiler's limit on the
# length of a literal applies.
set(header "// Made by cmake/embed-files.cmake at build time; do not edit.\n#pragma once\n")
set(entries)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(k RANGE ${last})
  if(CMAKE_ARGV${k} MATCHES "^[A-Za-z]+=")
    list(APPEND entries "${CMAKE_ARGV${k}}")
  endif()
endforeach()
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "=.*" "" name "${entry}")
  string(REGEX REPLACE "^[^=]*=" "" path "${entry}")
  file(READ "${path}" bytes HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
  string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
  string(APPEND header "\ninline constexpr char ${name}[] = {\n${bytes}0};\n")
endforeach()
file(WRITE "${OUTPUT}.new" "${header}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
