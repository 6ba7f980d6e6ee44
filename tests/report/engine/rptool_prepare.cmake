# rptool prepare on the bill layout: 60 lines make two pages, the summary
# stands once, on the last page, and a bad data argument is refused.
execute_process(COMMAND ${RPTOOL} prepare ${DATA}/billsummary.rpx --data Lines=${DATA}/billlines.csv
                        --values ${DATA}/billvalues.ini --out ${OUTPUT}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "rptool prepare failed (${rc}): ${out}${err}")
endif()
file(READ ${OUTPUT} rp3)
if(NOT rp3 MATCHES "<preparedreport")
    message(FATAL_ERROR "no prepared report in ${OUTPUT}")
endif()
foreach(text "Bill 2025/0042" "Item 60, boxed" "Total 1830")
    string(FIND "${rp3}" "${text}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "'${text}' missing from ${OUTPUT}")
    endif()
endforeach()
# The summary's script puts it at the foot of the last page:
# PageHeight 1031.812 - footer 30 - summary 120 - 0.1.
execute_process(COMMAND ${RPTOOL} dump ${OUTPUT} RESULT_VARIABLE rc OUTPUT_VARIABLE dump ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "rptool dump failed (${rc}): ${err}")
endif()
string(FIND "${dump}" "page 2 w=794 h=1123" page2)
string(FIND "${dump}" "band TrpReportSummary ReportSummary1 x=0 y=881.712 w=740.788 h=120" at)
if(page2 EQUAL -1 OR at LESS page2)
    message(FATAL_ERROR "the summary is not at the foot of page 2:\n${dump}")
endif()
execute_process(COMMAND ${RPTOOL} prepare ${DATA}/billsummary.rpx --data Lines --out ${OUTPUT}
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 2)
    message(FATAL_ERROR "a data argument without a file gave ${rc}: ${err}")
endif()
