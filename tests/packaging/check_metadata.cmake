# The desktop entry passes desktop-file-validate without a word; the AppStream entry passes
# appstreamcli validate (notes of the "info" kind allowed).
include(${CMAKE_CURRENT_LIST_DIR}/require_tools.cmake)
require_tools(desktop-file-validate appstreamcli)

execute_process(COMMAND ${desktop_file_validate} ${DESKTOP_FILE}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate ${DESKTOP_FILE} (exit ${rc}):\n${out}")
endif()

execute_process(COMMAND ${appstreamcli} validate --no-net ${METAINFO_FILE}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
message("${out}")
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate --no-net ${METAINFO_FILE} (exit ${rc})")
endif()

# The AppStream entry names the desktop entry that is installed and the program that it starts.
file(READ ${METAINFO_FILE} metainfo)
get_filename_component(desktop_name ${DESKTOP_FILE} NAME)
foreach(needle "<launchable type=\"desktop-id\">${desktop_name}</launchable>" "<binary>quorvane</binary>")
    string(FIND "${metainfo}" "${needle}" at)
    if(at LESS 0)
        message(FATAL_ERROR "${METAINFO_FILE} lacks ${needle}")
    endif()
endforeach()
