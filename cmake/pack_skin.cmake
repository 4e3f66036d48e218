# Packs skin/ into a zip with folder entries, forward slashes and deflated entries.
# Run as: cmake -DSKIN_DIR=... -DOUTPUT=... -P pack_skin.cmake
file(REMOVE ${OUTPUT})
execute_process(COMMAND zip -r -q -X -9 ${OUTPUT} . -x "*/README" "README"
                WORKING_DIRECTORY ${SKIN_DIR} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "zip failed with ${result}")
endif()
