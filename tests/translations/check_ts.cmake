# Runs lupdate over the program's sources into a copy of TS_FILE. Fails on a text without its translation
# (new in the sources, or left unfinished) and on a file that lupdate would change (a text gone from the
# sources, or a file not kept with lupdate): `cmake --build build --target update_translations` brings it
# up to date, Qt Linguist finishes it.
file(REMOVE_RECURSE ${WORK_DIR})
file(COPY ${TS_FILE} DESTINATION ${WORK_DIR})
get_filename_component(name ${TS_FILE} NAME)
set(copy ${WORK_DIR}/${name})
execute_process(COMMAND ${LUPDATE} @${SOURCES} -locations none -no-obsolete -ts ${copy}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "lupdate (exit ${rc}):\n${out}\n${err}")
endif()
file(READ ${copy} updated)
string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation type=\"unfinished\"" unfinished "${updated}")
if(unfinished)
    string(REGEX REPLACE "</source>[^;]*" "" texts "${unfinished}")
    string(REPLACE "<source>" "\n  " texts "${texts}")
    message(FATAL_ERROR "${name}: texts without a translation:${texts}")
endif()
file(READ ${TS_FILE} kept)
if(NOT kept STREQUAL updated)
    message(FATAL_ERROR "${name} is not as lupdate keeps it: run the target update_translations")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
message("${name}: every text translated")
