# Runs layer_check on the small tree beside this file and compares its report with expected.txt, line for
# line; the check must also fail.
execute_process(COMMAND ${LAYER_CHECK} ${CMAKE_CURRENT_LIST_DIR} OUTPUT_VARIABLE output RESULT_VARIABLE result)
file(READ ${CMAKE_CURRENT_LIST_DIR}/expected.txt expected)
if(NOT output STREQUAL expected)
  message(FATAL_ERROR "layer_check reported:\n${output}\nexpected:\n${expected}")
endif()
if(NOT result EQUAL 1)
  message(FATAL_ERROR "layer_check answered ${result} on a tree with faults, not 1")
endif()
