# The installed command: reads standard input, answers on standard output, exits 2 on a bad line.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/think-input.txt "1 2 2 5 1 1 0\nbad\n")
execute_process(COMMAND ${TOOL} INPUT_FILE ${CMAKE_CURRENT_BINARY_DIR}/think-input.txt
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 2 OR NOT out STREQUAL "3 4 -\n"
   OR NOT err STREQUAL "error: line 2: 'bad' is not a number\n")
    message(FATAL_ERROR "unexpected answer: status ${status}, out '${out}', err '${err}'")
endif()
