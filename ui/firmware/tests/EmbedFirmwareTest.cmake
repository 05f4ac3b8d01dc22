# Runs the embedding script on images it must refuse and on one it must take:
#   cmake -DEMBED_SCRIPT=... -DTEST_IMAGE=... -DWORK_DIR=... -P EmbedFirmwareTest.cmake
if(NOT EXISTS "${TEST_IMAGE}")
  message(FATAL_ERROR "the generated test image ${TEST_IMAGE} is not built")
endif()
file(MAKE_DIRECTORY "${WORK_DIR}")

function(embed image expect_ok what)
  execute_process(COMMAND ${CMAKE_COMMAND} -DVORLIX_FIRMWARE_IMAGE=${image} -DEMBED_OUTPUT=${WORK_DIR}/out.cpp
                          -P ${EMBED_SCRIPT}
                  RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
  if(expect_ok AND NOT result EQUAL 0)
    message(FATAL_ERROR "${what}: refused, but should be embedded: ${errors}")
  elseif(NOT expect_ok AND result EQUAL 0)
    message(FATAL_ERROR "${what}: embedded, but must be refused")
  endif()
endfunction()

# 0x7FFE bytes fit beside the check byte; one more would lose its last byte to it.
string(REPEAT "ab" 16383 longest)
file(WRITE ${WORK_DIR}/longest.bin "${longest}")
file(WRITE ${WORK_DIR}/too-long.bin "${longest}x")
file(WRITE ${WORK_DIR}/empty.bin "")
embed(${WORK_DIR}/longest.bin TRUE "an image of 0x7FFE bytes")
file(READ ${WORK_DIR}/out.cpp source)
if(NOT source MATCHES "0x61,0x62,0x61,0x62," OR NOT source MATCHES "FirmwareImageKind::Vendor")
  message(FATAL_ERROR "the embedded source does not carry the image")
endif()
embed(${WORK_DIR}/too-long.bin FALSE "an image of 0x7FFF bytes")
embed(${WORK_DIR}/empty.bin FALSE "an empty image")
embed(${WORK_DIR}/missing.bin FALSE "a missing image")
embed(${TEST_IMAGE} FALSE "the generated test image")
