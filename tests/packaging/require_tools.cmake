# Finds each tool into a variable named after it (desktop-file-validate -> desktop_file_validate); when
# one is missing, says so and ends the calling check, which the test then counts as skipped.
macro(require_tools)
    foreach(tool ${ARGN})
        string(MAKE_C_IDENTIFIER ${tool} var)
        find_program(${var} ${tool})
        if(NOT ${var})
            message("SKIPPED: ${tool} is not installed")
            return()
        endif()
    endforeach()
endmacro()
