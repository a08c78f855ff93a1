# Keeps includes pointing down the layers: no file in src/model, src/files,
# src/view or src/export includes a header of the windows (editor/, dialogs/, platform/,
# reports/), and no file in src/view includes a Qt Widgets header. Reads the
# sources only, so it costs no compile.
#
#   cmake -DSOURCE_DIR=<src folder> -DWIDGETS_HEADERS=<QtWidgets include folder>
#         -P CheckIncludes.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT IS_DIRECTORY "${SOURCE_DIR}" OR NOT IS_DIRECTORY "${WIDGETS_HEADERS}")
    message(FATAL_ERROR "SOURCE_DIR and WIDGETS_HEADERS must name folders")
endif()
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
file(GLOB widget_headers RELATIVE "${WIDGETS_HEADERS}" LIST_DIRECTORIES false
     "${WIDGETS_HEADERS}/*")
if(NOT "QWidget" IN_LIST widget_headers)
    message(FATAL_ERROR "${WIDGETS_HEADERS} holds no Qt Widgets headers")
endif()

set(include_line "^[ \t]*#[ \t]*include[ \t]*([<\"][^>\"]*[>\"])")
set(faults 0)
foreach(layer model files view export)
    file(GLOB_RECURSE sources LIST_DIRECTORIES false
         "${SOURCE_DIR}/${layer}/*.h" "${SOURCE_DIR}/${layer}/*.cpp")
    foreach(source IN LISTS sources)
        file(RELATIVE_PATH shown "${SOURCE_DIR}" "${source}")
        file(STRINGS "${source}" lines REGEX "${include_line}")
        foreach(line IN LISTS lines)
            string(REGEX MATCH "${include_line}" found "${line}")
            set(quoted "${CMAKE_MATCH_1}")
            string(REGEX REPLACE "^.(.*).$" "\\1" header "${quoted}")
            get_filename_component(name "${header}" NAME)
            set(wrong FALSE)
            if(header MATCHES "(^|/)(editor|dialogs|platform|reports)/")
                set(wrong TRUE)
            elseif(layer STREQUAL "view" AND
                   (header MATCHES "^QtWidgets(/|$)" OR name IN_LIST widget_headers))
                set(wrong TRUE)
            endif()
            if(wrong)
                message("${shown} includes ${quoted}")
                math(EXPR faults "${faults} + 1")
            endif()
        endforeach()
    endforeach()
endforeach()
if(faults GREATER 0)
    message(FATAL_ERROR "${faults} include(s) point up the layers")
endif()
