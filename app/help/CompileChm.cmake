# Compiles the help project in HELP_DIR with chmcmd into OUTPUT, then has FIXER make its context
# map relative. Run as a script (cmake -P) so that a warning (a missing page, a broken link) fails
# the build like an error: chmcmd itself still exits with success on most of them.
foreach(var CHMCMD FIXER HELP_DIR STAGING OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CompileChm.cmake needs ${var}")
  endif()
endforeach()

file(REMOVE_RECURSE ${STAGING})
file(MAKE_DIRECTORY ${STAGING})
file(GLOB sources ${HELP_DIR}/*)
file(COPY ${sources} DESTINATION ${STAGING})

execute_process(COMMAND ${CHMCMD} SICE.hhp
                WORKING_DIRECTORY ${STAGING}
                RESULT_VARIABLE result
                OUTPUT_VARIABLE output
                ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR output MATCHES "Warning:|Error:|exception" OR NOT EXISTS ${STAGING}/SICE.chm)
  message(FATAL_ERROR "chmcmd could not compile the help file SICE.chm (exit ${result}):\n${output}")
endif()
execute_process(COMMAND ${FIXER} ${STAGING}/SICE.chm ${OUTPUT} ${STAGING}
                RESULT_VARIABLE result
                OUTPUT_VARIABLE output
                ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  file(REMOVE ${OUTPUT})
  message(FATAL_ERROR "The context map of SICE.chm could not be made relative:\n${output}")
endif()
