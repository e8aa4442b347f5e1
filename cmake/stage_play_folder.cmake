# Copies the game's data into the play folder: the data files and the pictures' descriptions
# always, iniziale.ini only when the player has none yet, since the game rewrites it with the
# window's own values.
file(MAKE_DIRECTORY "${PLAY}")
file(GLOB data_files "${DATA}/*.pkd")
foreach(data_file IN LISTS data_files)
  get_filename_component(name "${data_file}" NAME)
  file(COPY_FILE "${data_file}" "${PLAY}/${name}" ONLY_IF_DIFFERENT)
endforeach()
file(COPY_FILE "${ART}/descrizioni.txt" "${PLAY}/descrizioni.txt" ONLY_IF_DIFFERENT)
if(NOT EXISTS "${PLAY}/iniziale.ini")
  file(COPY_FILE "${DATA}/iniziale.ini" "${PLAY}/iniziale.ini")
endif()
