# Small build steps of the web page, run as `cmake -D STEP=… -P build_step.cmake`:
#   STEP=bundle  OUTPUT, INPUTS (joined by |): the scripts one after another,
#                so that the page loads one script of its own
#   STEP=gzip    INPUT, OUTPUT: INPUT gzipped, for rampwall.html to carry
if(STEP STREQUAL "bundle")
  set(text "")
  string(REPLACE "|" ";" inputs "${INPUTS}")
  foreach(input IN LISTS inputs)
    file(READ ${input} part)
    string(APPEND text "${part}\n")
  endforeach()
  file(WRITE ${OUTPUT}.part "${text}")
  file(RENAME ${OUTPUT}.part ${OUTPUT})
elseif(STEP STREQUAL "gzip")
  file(ARCHIVE_CREATE OUTPUT ${OUTPUT}.part PATHS ${INPUT} FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 9)
  file(RENAME ${OUTPUT}.part ${OUTPUT})
else()
  message(FATAL_ERROR "build_step.cmake: no step ${STEP}")
endif()
