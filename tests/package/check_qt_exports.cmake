# The widgets library exports its public classes only: none of the helpers the widget tests reach
# through the front end's own headers, and nothing of the state and helpers a public class keeps
# behind its d-pointer.
execute_process(COMMAND ${NM} -DC --defined-only ${LIBRARY}
                OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(result)
    message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]*tessaro::(qt_detail::|[A-Za-z]+::Private)[^\n]*" internal "${symbols}")
list(LENGTH internal count)
if(count GREATER 0)
    list(GET internal 0 first)
    message(FATAL_ERROR "the widgets library exports ${count} internal symbols, first: ${first}")
endif()
