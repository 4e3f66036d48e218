# Packs skin/ into a zip with folder entries, forward slashes and deflated entries. The driver
# package is not taken from skin/ but from the build's stage (DRIVER_STAGE/driver/...), where the
# build has put the package files it makes next to the text files of skin/driver/label/.
# Run as: cmake -DSKIN_DIR=... -DDRIVER_STAGE=... -DOUTPUT=... -P pack_skin.cmake
file(REMOVE ${OUTPUT})
execute_process(COMMAND zip -r -q -X -9 ${OUTPUT} . -x "*/README" "README" "driver/*"
                WORKING_DIRECTORY ${SKIN_DIR} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "zip failed with ${result}")
endif()
execute_process(COMMAND zip -r -q -X -9 ${OUTPUT} driver WORKING_DIRECTORY ${DRIVER_STAGE} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "zip of the driver package failed with ${result}")
endif()
