# Starts the real vortila in a folder whose data file is missing. Qt may have warnings of
# its own to give first; the game's message is the last line.
file(REMOVE_RECURSE "${WORK}")
set(PROGRAM "${WINDOW}")
set(ERROR_PATTERN "(^|\n)000\\.pkd: il file manca[^\n]*\n$")
include(${CMAKE_CURRENT_LIST_DIR}/../failed_start.cmake)
