# Started where no window can be opened, the game says why in one line and exits with 1.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=SDL_VIDEODRIVER ${GAME}
  RESULT_VARIABLE status ERROR_VARIABLE message OUTPUT_VARIABLE output TIMEOUT 60)
string(STRIP "${message}" message)
string(REGEX MATCHALL "\n" lines "${message}")
if(NOT status EQUAL 1)
  message(FATAL_ERROR "exit status ${status}, expected 1; stderr: ${message}")
endif()
if(lines OR NOT message MATCHES "^kachelzauber: cannot open a window: .*SDL_VIDEODRIVER=offscreen")
  message(FATAL_ERROR "expected one line naming the cause, got: ${message}")
endif()
message(STATUS "${message}")
