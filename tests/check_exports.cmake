# Checks that the module's dynamic symbol table defines exactly its nine
# exported names.
execute_process(COMMAND nm -D --defined-only ${MODULE}
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm failed on ${MODULE}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${listing}")
set(found)
foreach(line ${lines})
  string(REGEX REPLACE "^.* " "" symbol "${line}")
  list(APPEND found ${symbol})
endforeach()
list(SORT found)
set(expected TovPartFindObjCmd TovPartInfoCmd TovPartIsOpenCmd TovPartOpenCmd
             TovPartReadCmd TovPart_Init TovPart_Term tovPart_Init tovPart_Term)
list(SORT expected)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "exported symbols differ:\n  found:    ${found}\n  expected: ${expected}")
endif()
