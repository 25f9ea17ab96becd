# SPDX-License-Identifier: GPL-3.0-or-later
# Runs mkdata again into a scratch folder, on three threads whatever the build used, and
# compares its packs with the build's byte for byte.
# Arguments: MKDATA (the program), GAME_DIR (the build's data), SCRATCH (a folder to use).
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${MKDATA} --game-dir ${SCRATCH} --jobs 3 RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "mkdata failed: ${status}")
endif()
file(GLOB packs RELATIVE ${SCRATCH} ${SCRATCH}/packs/*.pak)
foreach(pack ${packs} gfx/gamepaused.png)
  if(NOT EXISTS ${GAME_DIR}/${pack})
    message(FATAL_ERROR "${GAME_DIR}/${pack} is missing: build the game_data target first")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${GAME_DIR}/${pack} ${SCRATCH}/${pack}
                  RESULT_VARIABLE different)
  if(NOT different EQUAL 0)
    message(FATAL_ERROR "${pack} differs between two runs of mkdata")
  endif()
endforeach()
file(REMOVE_RECURSE ${SCRATCH})
