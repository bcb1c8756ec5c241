# cmake -DINPUT=file -DOUTPUT=file.gz -P gzip_file.cmake: compresses at the
# highest level without name or time stamp, so the output only depends on the
# input.
execute_process(COMMAND gzip -9 -n -c ${INPUT}
                OUTPUT_FILE ${OUTPUT}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE ${OUTPUT})
  message(FATAL_ERROR "gzip ${INPUT}: ${status}")
endif()
