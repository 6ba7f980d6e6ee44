# A report that asks before it prints, prepared by rptool offscreen: --shot
# draws its dialog page (label, edit, lookup combo over the database, check
# box, OK and Cancel) and answers it with OK; the prepared page shows what
# the dialog's events left in the report script.
file(REMOVE ${OUTDIR}/dialog.db ${OUTDIR}/dialog.png ${OUTDIR}/dialog.rp3)
execute_process(COMMAND sqlite3 ${OUTDIR}/dialog.db INPUT_FILE ${DATA}/orders.sql RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "sqlite3 failed: ${err}")
endif()
file(READ ${DATA}/dialog.rpx template)
string(REPLACE "@DB@" "${OUTDIR}/dialog.db" xml "${template}")
file(WRITE ${OUTDIR}/dialog.xml "${xml}")
execute_process(COMMAND ${RPTOOL} prepare ${OUTDIR}/dialog.xml --shot ${OUTDIR}/dialog.png --out ${OUTDIR}/dialog.rp3
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "rptool prepare failed (${rc}): ${out}${err}")
endif()
if(NOT EXISTS ${OUTDIR}/dialog.png)
    message(FATAL_ERROR "no picture of the dialog page")
endif()
execute_process(COMMAND ${RPTOOL} dump ${OUTDIR}/dialog.rp3 OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT dump MATCHES "Show:DialogPage1;" OR NOT dump MATCHES "Hide:DialogPage1;" OR NOT dump MATCHES "text=\"\\|\\|\\|False\"")
    message(FATAL_ERROR "unexpected prepared page:\n${dump}")
endif()
