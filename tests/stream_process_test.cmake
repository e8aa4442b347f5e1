# Runs the real vortila-stream as a player's pipe does: the whole introduction and a
# command, then the end of input, which keeps the game in ripresa.sav; an output that can no
# longer be written, a full disk or a reader gone away; and a start in a folder whose data
# file is missing.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/good")
file(GLOB data_files "${DATA}/*")
file(COPY ${data_files} DESTINATION "${WORK}/good")
file(WRITE "${WORK}/input.txt" "\n\n\n\n\n\n\nguarda\r\n")

execute_process(COMMAND "${STREAM}" WORKING_DIRECTORY "${WORK}/good"
  INPUT_FILE "${WORK}/input.txt" OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status
  TIMEOUT 30)
if(NOT status EQUAL 0 OR NOT err STREQUAL "")
  message(FATAL_ERROR "a whole start ended with status ${status}: ${err}")
endif()
foreach(expected "[immagine 007.pkd]" " > GUARDA\n" "LA VORTILA")
  string(FIND "${out}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the output lacks '${expected}':\n${out}")
  endif()
endforeach()
file(READ "${WORK}/good/iniziale.ini" settings HEX)
# "1000\r\n720\r\n", as the game is delivered with it.
if(NOT settings STREQUAL "313030300d0a3732300d0a")
  message(FATAL_ERROR "iniziale.ini was not written back as it was: '${settings}'")
endif()
if(NOT EXISTS "${WORK}/good/ripresa.sav")
  message(FATAL_ERROR "the end of input in the middle of a game did not keep it in ripresa.sav")
endif()

# The text goes nowhere: the game ends saying so, with a failing status.
set(lost "Non riesco a scrivere il testo del gioco sull'uscita standard")
execute_process(COMMAND "${STREAM}" WORKING_DIRECTORY "${WORK}/good"
  INPUT_FILE "${WORK}/input.txt" OUTPUT_FILE /dev/full ERROR_VARIABLE err
  RESULT_VARIABLE status TIMEOUT 30)
string(FIND "${err}" "${lost}" at)
if(status EQUAL 0 OR at EQUAL -1)
  message(FATAL_ERROR "writing to a full disk ended with status ${status}: '${err}'")
endif()
string(REPEAT "guarda\n" 2000 looks)
file(WRITE "${WORK}/looks.txt" "\n\n\n\n\n\n\n${looks}")
execute_process(COMMAND "${STREAM}" COMMAND head -c 1 WORKING_DIRECTORY "${WORK}/good"
  INPUT_FILE "${WORK}/looks.txt" OUTPUT_QUIET ERROR_VARIABLE err RESULTS_VARIABLE statuses
  TIMEOUT 30)
list(GET statuses 0 status)
string(FIND "${err}" "${lost}" at)
if(status EQUAL 0 OR at EQUAL -1)
  message(FATAL_ERROR "writing to a closed pipe ended with status ${status}: '${err}'")
endif()

set(PROGRAM "${STREAM}")
set(ERROR_PATTERN "^000\\.pkd: il file manca[^\n]*\n$")
include(${CMAKE_CURRENT_LIST_DIR}/failed_start.cmake)
