# Starts the real game on the offscreen platform in a fresh working folder
# with the pictures and sounds, lets it run three seconds of real time, asks
# it to quit as a desktop session would (SIGTERM) and expects a clean exit.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(GLOB assets ${SOURCE_DIR}/assets/*)
if(assets)
  file(COPY ${assets} DESTINATION ${WORK})
endif()
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(
  COMMAND timeout --preserve-status -s TERM 3 ${GAME}
  WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE rc
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the game exited with ${rc}\n${out}\n${err}")
endif()
# Warnings of the toolkit (bad painter state, failed loads) are faults here.
if(err MATCHES "QPainter|QImage|Cannot|ASSERT|runtime error")
  message(FATAL_ERROR "the game reported problems:\n${err}")
endif()
file(GLOB stray ${WORK}/save*.dat)
if(stray)
  message(FATAL_ERROR "the game wrote files unasked: ${stray}")
endif()
