# `cpack -G DEB` makes quorvane_<version>_<arch>.deb holding exactly the files below under /usr, with
# dependencies on the Qt libraries worked out from the program; `cmake --install` lays out the same files.
# Lintian finds no error and no warning in it; the built program names no empty or relative folder for
# libraries (the loader reads one against the current folder), the installed one none.
include(${CMAKE_CURRENT_LIST_DIR}/require_tools.cmake)
require_tools(dpkg dpkg-deb dpkg-shlibdeps lintian readelf)

set(expected
    ./usr/bin/quorvane
    ./usr/share/applications/quorvane.desktop
    ./usr/share/icons/hicolor/128x128/apps/quorvane.png
    ./usr/share/icons/hicolor/256x256/apps/quorvane.png
    ./usr/share/icons/hicolor/48x48/apps/quorvane.png
    ./usr/share/icons/hicolor/scalable/apps/quorvane.svg
    ./usr/share/man/man1/quorvane.1.gz
    ./usr/share/metainfo/example.vanecroft.quorvane.metainfo.xml
    ./usr/share/quorvane/stats.csv
    ./usr/share/quorvane/translations/quorvane_de.qm)

foreach(doc changelog.gz copyright groupings.html help.css index.html manual.html troubleshooting.html)
    list(APPEND expected ./usr/share/doc/quorvane/${doc})
endforeach()
list(SORT expected)

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
run(${dpkg_deb} -f ${deb} Recommends)
if(NOT out MATCHES "xdg-utils" OR NOT out MATCHES "qt6-translations-l10n")
    message(FATAL_ERROR "Recommends lacks the browser's opener or Qt's translations: ${out}")
endif()
run(${lintian} --fail-on error,warning ${deb})

# The same layout from `cmake --install`.
set(stage ${WORK_DIR}/stage)
run(${CMAKE_COMMAND} -E env DESTDIR=${stage} ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr)
file(GLOB_RECURSE installed RELATIVE ${stage} ${stage}/*)
list(TRANSFORM installed PREPEND ./)
expect_list("cmake --install" "${installed}")
foreach(program IN ITEMS ${BUILD_DIR}/bin/quorvane ${stage}/usr/bin/quorvane) # RUNPATH or the older RPATH
    execute_process(COMMAND ${readelf} -d ${program} OUTPUT_VARIABLE dynamic)
    string(REGEX MATCH "\\((RUNPATH|RPATH)\\)[^\n]*\\[([^]\n]*)" named "${dynamic}")
    set(folders "${CMAKE_MATCH_2}")
    if(named AND (program STREQUAL "${stage}/usr/bin/quorvane" OR folders MATCHES "^$|^[^/]|:$|:[^/]"))
        message(FATAL_ERROR "${program} names the library folders [${folders}]")
    endif()
endforeach()
file(REMOVE_RECURSE ${WORK_DIR})
message("${deb}: ${Version}, ${arch}, every file in place")
