# Starts the real vortila in a folder whose data file is missing: the start stops with a
# message that names the file, a failing exit status, and no file written.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(GLOB data_files "${DATA}/*")
file(COPY ${data_files} DESTINATION "${WORK}")
file(REMOVE "${WORK}/000.pkd")
file(GLOB before RELATIVE "${WORK}" "${WORK}/*")
execute_process(COMMAND "${WINDOW}" WORKING_DIRECTORY "${WORK}"
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status TIMEOUT 30)
file(GLOB after RELATIVE "${WORK}" "${WORK}/*")
if(status EQUAL 0 OR NOT err MATCHES "000\\.pkd: il file manca")
  message(FATAL_ERROR "a missing 000.pkd gave status ${status} and '${err}'")
endif()
if(NOT before STREQUAL after)
  message(FATAL_ERROR "a failed start wrote files: ${after}")
endif()
