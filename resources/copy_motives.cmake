# Puts the sample motives into the folder "Motives" beside the program, but only when that
# folder does not exist yet: once there, it holds the player's pictures and is never touched.
# Run as: cmake -DSOURCE=<sample folder> -DDEST=<folder beside the program> -P copy_motives.cmake
if(EXISTS "${DEST}")
  return()
endif()
file(COPY "${SOURCE}/" DESTINATION "${DEST}")
message(STATUS "Sample motives copied to ${DEST}")
