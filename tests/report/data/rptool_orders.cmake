# The orders report over a fixture database built with SQL: rptool
# prepares it and exports it to PDF; pdftotext shows customer 1's amounts
# in order, and in descending order when the report script sorts the query.
file(REMOVE ${OUTDIR}/orders.db)
execute_process(COMMAND sqlite3 ${OUTDIR}/orders.db INPUT_FILE ${DATA}/orders.sql RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "sqlite3 failed: ${err}")
endif()
file(READ ${DATA}/orders.rpx template)

function(run_report name script expected)
    string(REPLACE "@DB@" "${OUTDIR}/orders.db" xml "${template}")
    string(REPLACE "@SCRIPT@" "${script}" xml "${xml}")
    file(WRITE ${OUTDIR}/${name}.xml "${xml}")
    execute_process(COMMAND ${RPTOOL} pdf ${OUTDIR}/${name}.xml ${OUTDIR}/${name}.pdf
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "rptool pdf ${name} failed (${rc}): ${out}${err}")
    endif()
    execute_process(COMMAND pdftotext -layout ${OUTDIR}/${name}.pdf - RESULT_VARIABLE rc OUTPUT_VARIABLE text)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "pdftotext failed on ${name}.pdf")
    endif()
    # Amounts only: digits and decimal commas, one line each.
    string(REGEX REPLACE "[^0-9,\n]" "" text "${text}")
    string(STRIP "${text}" text)
    string(REGEX REPLACE "\n+" "|" text "${text}")
    if(NOT text STREQUAL expected)
        message(FATAL_ERROR "${name}: '${text}' instead of '${expected}'")
    endif()
endfunction()

run_report(orders "begin&#13;&#10;end." "120,5|2500,125|15")
run_report(orders_sorted "begin&#13;&#10;  ADOQuery1.Query.Sort := &#39;AmountPaid DESC&#39;;&#13;&#10;end." "2500,125|120,5|15")
