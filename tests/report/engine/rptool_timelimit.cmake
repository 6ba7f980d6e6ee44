# rptool prepare --time-limit stops a report that would never end (an
# endless script, two billion rows): exit 1 with the reason, no file.
foreach(report endless twobillionrows)
    file(REMOVE ${OUTPUT})
    string(TIMESTAMP start "%s")
    execute_process(COMMAND ${RPTOOL} prepare ${DATA}/${report}.rpx --time-limit 1 --out ${OUTPUT}
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
    string(TIMESTAMP end "%s")
    math(EXPR seconds "${end} - ${start}")
    if(NOT rc EQUAL 1 OR NOT err MATCHES "time limit of 1 s reached")
        message(FATAL_ERROR "${report}: rptool gave ${rc} after ${seconds} s: ${out}${err}")
    endif()
    if(EXISTS ${OUTPUT})
        message(FATAL_ERROR "${report}: a stopped run wrote ${OUTPUT}")
    endif()
    # The limit and one second to stop, and start-up on a busy machine.
    if(seconds GREATER 10)
        message(FATAL_ERROR "${report}: the limit of 1 s took ${seconds} s")
    endif()
endforeach()
execute_process(COMMAND ${RPTOOL} prepare ${DATA}/endless.rpx --time-limit x --out ${OUTPUT}
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 2)
    message(FATAL_ERROR "a bad time limit gave ${rc}: ${err}")
endif()
