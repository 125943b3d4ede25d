# `cpack -G DEB` makes quorvane_<version>_<arch>.deb holding exactly the files below under /usr, with
# dependencies on the Qt libraries worked out from the program; `cmake --install` lays out the same files.
include(${CMAKE_CURRENT_LIST_DIR}/require_tools.cmake)
require_tools(dpkg dpkg-deb dpkg-shlibdeps)

set(expected
    ./usr/bin/quorvane
    ./usr/share/applications/quorvane.desktop
    ./usr/share/icons/hicolor/128x128/apps/quorvane.png
    ./usr/share/icons/hicolor/256x256/apps/quorvane.png
    ./usr/share/icons/hicolor/48x48/apps/quorvane.png
    ./usr/share/icons/hicolor/scalable/apps/quorvane.svg
    ./usr/share/metainfo/example.vanecroft.quorvane.metainfo.xml
    ./usr/share/quorvane/stats.csv
    ./usr/share/quorvane/translations/quorvane_de.qm)

function(run)
    execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${BUILD_DIR} RESULT_VARIABLE rc OUTPUT_VARIABLE out
                    ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        string(REPLACE ";" " " command "${ARGN}")
        message(FATAL_ERROR "${command} (exit ${rc}):\n${out}\n${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

function(expect_list what actual)
    list(SORT actual)
    if(NOT actual STREQUAL expected)
        string(REPLACE ";" "\n  " a "${actual}")
        string(REPLACE ";" "\n  " e "${expected}")
        message(FATAL_ERROR "${what} holds\n  ${a}\ninstead of\n  ${e}")
    endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
run(${dpkg} --print-architecture)
string(STRIP "${out}" arch)
run(${CPACK} -G DEB -B ${WORK_DIR})
set(deb ${WORK_DIR}/quorvane_${VERSION}_${arch}.deb)
if(NOT EXISTS ${deb})
    file(GLOB made ${WORK_DIR}/*.deb)
    message(FATAL_ERROR "no ${deb}; made: ${made}")
endif()

# The files of the package (folders left out).
run(${dpkg_deb} -c ${deb})
string(REPLACE "\n" ";" lines "${out}")
set(files)
foreach(line IN LISTS lines)
    if(line MATCHES "^-.* (\\./[^ ]+)$")
        list(APPEND files ${CMAKE_MATCH_1})
    elseif(NOT line MATCHES "^d" AND NOT line STREQUAL "")
        message(FATAL_ERROR "unexpected entry: ${line}")
    endif()
endforeach()
expect_list(${deb} "${files}")

# The control fields.
foreach(field Package Version Architecture)
    run(${dpkg_deb} -f ${deb} ${field})
    string(STRIP "${out}" ${field})
endforeach()
if(NOT Package STREQUAL "quorvane" OR NOT Version STREQUAL "${VERSION}" OR NOT Architecture STREQUAL "${arch}")
    message(FATAL_ERROR "control: ${Package} ${Version} ${Architecture}")
endif()
run(${dpkg_deb} -f ${deb} Depends)
foreach(library libqt6core6 libqt6gui6 libqt6widgets6)
    if(NOT out MATCHES "(^|, )${library} \\(>= [0-9.]+\\)")
        message(FATAL_ERROR "Depends lacks ${library}: ${out}")
    endif()
endforeach()

# The same layout from `cmake --install`.
set(stage ${WORK_DIR}/stage)
run(${CMAKE_COMMAND} -E env DESTDIR=${stage} ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr)
file(GLOB_RECURSE installed RELATIVE ${stage} ${stage}/*)
list(TRANSFORM installed PREPEND ./)
expect_list("cmake --install" "${installed}")
file(REMOVE_RECURSE ${WORK_DIR})
message("${deb}: ${Version}, ${arch}, every file in place")
