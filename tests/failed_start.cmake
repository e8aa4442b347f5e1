# A start in a folder whose 000.pkd is missing, for any of the programs: it stops with a
# failing exit status and a message naming the file (its error output must match
# ERROR_PATTERN), having written no file. Included with PROGRAM, DATA and WORK set.
file(MAKE_DIRECTORY "${WORK}/broken")
file(GLOB data_files "${DATA}/*")
file(COPY ${data_files} DESTINATION "${WORK}/broken")
file(REMOVE "${WORK}/broken/000.pkd")
file(GLOB before RELATIVE "${WORK}/broken" "${WORK}/broken/*")
execute_process(COMMAND "${PROGRAM}" WORKING_DIRECTORY "${WORK}/broken" INPUT_FILE /dev/null
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status TIMEOUT 30)
file(GLOB after RELATIVE "${WORK}/broken" "${WORK}/broken/*")
if(status EQUAL 0 OR NOT err MATCHES "${ERROR_PATTERN}")
  message(FATAL_ERROR "a missing 000.pkd gave status ${status} and '${err}'")
endif()
if(NOT before STREQUAL after)
  message(FATAL_ERROR "a failed start wrote files: ${after}")
endif()
