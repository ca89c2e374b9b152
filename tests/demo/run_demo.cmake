# Runs the demo once and checks what it answered.
#   DEMO            the demo executable
#   ARGS            its arguments, separated by |
#   EXPECT_EXIT     the exit code it must end with
#   EXPECT_OUTPUT   a regular expression its stdout and stderr together must match (optional)
#   SAVED           the file --save names: removed first, then compared with EXPECTED_DOC
#   EXPECTED_DOC    the document SAVED must hold, byte for byte (optional)
string(REPLACE "|" ";" ARGS "${ARGS}")
if(SAVED)
    file(REMOVE ${SAVED})
endif()
execute_process(COMMAND ${DEMO} ${ARGS}
    RESULT_VARIABLE exit_code OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(output "${out}${err}")
if(NOT exit_code STREQUAL EXPECT_EXIT)
    message(FATAL_ERROR "exit code ${exit_code}, expected ${EXPECT_EXIT}; output:\n${output}")
endif()
if(EXPECT_OUTPUT AND NOT output MATCHES "${EXPECT_OUTPUT}")
    message(FATAL_ERROR "output does not match '${EXPECT_OUTPUT}':\n${output}")
endif()
if(EXPECTED_DOC)
    if(NOT EXISTS ${SAVED})
        message(FATAL_ERROR "${SAVED} was not written; output:\n${output}")
    endif()
    file(READ ${SAVED} saved)
    file(READ ${EXPECTED_DOC} expected)
    string(STRIP "${expected}" expected)
    string(STRIP "${saved}" saved)
    if(NOT saved STREQUAL expected)
        message(FATAL_ERROR "${SAVED} holds\n${saved}\nexpected\n${expected}")
    endif()
endif()
