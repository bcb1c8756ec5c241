# Runs the built zavrin command as a user would: arguments and standard input
# go straight to the process, no shell in between.
# Expects -DZAVRIN=<path of the command> -DWORK_DIR=<scratch folder>.

function(expect_run)
  cmake_parse_arguments(R "" "STATUS;OUT;ERR;INPUT" "ARGS" ${ARGN})
  set(input_args)
  if(R_INPUT)
    set(input_args INPUT_FILE ${R_INPUT})
  endif()
  execute_process(COMMAND ${ZAVRIN} ${R_ARGS} ${input_args}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL R_STATUS)
    message(FATAL_ERROR "zavrin ${R_ARGS}: status ${status}, expected ${R_STATUS}\n${out}\n${err}")
  endif()
  if(R_OUT AND NOT out MATCHES "${R_OUT}")
    message(FATAL_ERROR "zavrin ${R_ARGS}: output does not match ${R_OUT}:\n${out}")
  endif()
  if(R_ERR AND NOT err MATCHES "${R_ERR}")
    message(FATAL_ERROR "zavrin ${R_ARGS}: error output does not match ${R_ERR}:\n${err}")
  endif()
endfunction()

expect_run(ARGS call ZSNumbers BinToDec 101 STATUS 0
           OUT "^Result: Integer 5\nArgument 1: String \"1\"\n$")
expect_run(ARGS call ZSNumbers HexToDec "s:G" STATUS 1 ERR "^Error [0-9]+: .*source: ")
expect_run(ARGS list STATUS 0 OUT "ZSNumbers +control +VQZavrinStudio.ZSNumbers")
expect_run(ARGS --help STATUS 0 OUT "sg:X")

set(requests "${WORK_DIR}/end_to_end_requests.jsonl")
file(WRITE ${requests}
  "{\"id\":1,\"op\":\"create\",\"class\":\"VQZavrinStudio.ZSNumbers\"}\n"
  "this is not json\n"
  "{\"id\":2,\"op\":\"invoke\",\"handle\":1,\"member\":\"BinToDec\",\"args\":[{\"type\":\"String\",\"value\":\"101\",\"byref\":true}]}\n"
  "{\"id\":3,\"op\":\"release\",\"handle\":1}\n")
expect_run(ARGS serve INPUT ${requests} STATUS 0
           OUT "^{\"id\":1,\"ok\":true,\"result\":{\"type\":\"Object\",\"class\":\"ZSNumbers\",\"handle\":1}}\n{\"id\":null,\"ok\":false,[^\n]*\n{\"id\":2,\"ok\":true,\"result\":{\"type\":\"Integer\",\"value\":5},\"args\":\\[{\"type\":\"String\",\"value\":\"1\"}\\]}\n{\"id\":3,\"ok\":true}\n$")
