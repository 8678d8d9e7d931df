# Runs the bank generator into OUTPUT and fails unless it matches COMMITTED byte for byte.
# Usage: cmake -DPYTHON=... -DGENERATOR=... -DCOMMITTED=... -DOUTPUT=... -P compare_generated_bank.cmake
foreach(var PYTHON GENERATOR COMMITTED OUTPUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} is not set")
    endif()
endforeach()

file(REMOVE "${OUTPUT}")
execute_process(COMMAND "${PYTHON}" "${GENERATOR}" "${OUTPUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${GENERATOR} failed: ${status}")
endif()

execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${COMMITTED}" "${OUTPUT}"
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${COMMITTED} differs from the generator's output ${OUTPUT}")
endif()
