# Turns KeyTable.txt into rows a C++ source includes:
#   {L"symbol", L"name", scan, extended},
# Run as: cmake -DKEY_TABLE=in.txt -DKEY_TABLE_OUT=out.inc -P KeyTable.cmake
# A malformed line stops the build, so the table never loses a key silently.
if(NOT KEY_TABLE OR NOT KEY_TABLE_OUT)
  message(FATAL_ERROR "KeyTable.cmake needs KEY_TABLE and KEY_TABLE_OUT")
endif()
file(STRINGS ${KEY_TABLE} lines ENCODING UTF-8)
set(rows "// Generated from KeyTable.txt by KeyTable.cmake; edit the table, not this file.\n")
set(count 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]*(#|$)")
    continue()
  endif()
  if(NOT line MATCHES "^([A-Z0-9_]+)[ \t]+0x([0-9A-Fa-f][0-9A-Fa-f]?)[ \t]+([01])[ \t]+([A-Za-z0-9 /*+.-]*[A-Za-z0-9/*+.-])[ \t]*$")
    message(FATAL_ERROR "${KEY_TABLE}: cannot read the line: ${line}")
  endif()
  string(APPEND rows "{L\"${CMAKE_MATCH_1}\", L\"${CMAKE_MATCH_4}\", 0x${CMAKE_MATCH_2}, ${CMAKE_MATCH_3}},\n")
  math(EXPR count "${count} + 1")
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "${KEY_TABLE}: no keys")
endif()
file(WRITE ${KEY_TABLE_OUT} "${rows}")
