# Fails when a file under src/ includes a file of a folder above its own layer, or of a
# toolkit or system that its own folder does not name. Run by ctest:
#   cmake -DZELK_SOURCE_DIR=<repository>/src -P tests/LayerTest.cmake
#
# The folders from the bottom up; a folder may include its own files and those of the folders
# it lists. The About window and the front ends are one layer of windows.
cmake_minimum_required(VERSION 3.25)

set(allowed_platform "")
set(allowed_core platform)
set(allowed_settings core platform)
set(allowed_scan core platform)
set(allowed_removal core platform scan)  # the removal repeats the Scan's check of the layout
set(allowed_app about core platform removal scan settings)
set(allowed_about app core platform)

file(GLOB_RECURSE sources RELATIVE ${ZELK_SOURCE_DIR} ${ZELK_SOURCE_DIR}/*.h
     ${ZELK_SOURCE_DIR}/*.cpp ${ZELK_SOURCE_DIR}/*.in)
set(wrong "")
foreach(source IN LISTS sources)
    string(REGEX MATCH "^[^/]+" from ${source})
    # The toolkit or system a file needs is named by a folder of its path (qt, win32, posix).
    string(REGEX MATCH "/(qt|win32|posix)/" from_kind ${source})
    file(STRINGS ${ZELK_SOURCE_DIR}/${source} includes REGEX "^#include \"")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" target "${line}")
        if(NOT target MATCHES "/")
            continue()  # not a file of src/ (the icon's picture in data/)
        endif()
        string(REGEX MATCH "^[^/]+" to ${target})
        string(REGEX MATCH "/(qt|win32|posix)/" to_kind ${target})
        if(NOT DEFINED allowed_${from})
            list(APPEND wrong "${source}: a folder the layer table does not know")
        elseif(NOT to STREQUAL from AND NOT to IN_LIST allowed_${from})
            list(APPEND wrong "${source}: ${from}/ may not include ${target}")
        elseif(to_kind AND NOT to_kind STREQUAL from_kind)
            list(APPEND wrong "${source}: only a file of a folder ${to_kind} may include ${target}")
        endif()
    endforeach()
endforeach()
list(LENGTH sources count)
if(wrong)
    list(JOIN wrong "\n" text)
    message(FATAL_ERROR "Includes that cross a layer the wrong way:\n${text}")
endif()
message(STATUS "${count} files, every include along an allowed edge")
