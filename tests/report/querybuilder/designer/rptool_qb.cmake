# rptool qb refuses a connection string it cannot open, with exit code 2
# and a message naming the file; a string without a data source too.
execute_process(COMMAND ${RPTOOL} qb "Provider=SQLite;Data Source=${MISSING}"
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 2 OR NOT err MATCHES "Cannot open database")
    message(FATAL_ERROR "missing file: exit ${rc}, ${err}")
endif()
execute_process(COMMAND ${RPTOOL} qb "Provider=SQLite" RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 2 OR NOT err MATCHES "no data source")
    message(FATAL_ERROR "no data source: exit ${rc}, ${err}")
endif()
