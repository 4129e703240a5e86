# The Windows program's resources: its icon, its version information and its manifest.
#
#   include(cmake/ZelkWin32Resources.cmake)
#   zelk_win32_add_resources(target)   # links them into a program (the window tests need them
#                                      # too: the icon, and the manifest that selects the common
#                                      # controls 6)
#
# The version, title, description and copyright come from the top CMakeLists.txt, as those of
# src/core/ProgramInfo.h do. ZELK_WIN32_ICON_XPM is the picture the icon is made from, which
# the tests compare the icon with.
set(ZELK_WIN32_SRC ${PROJECT_SOURCE_DIR}/src)
set(ZELK_WIN32_ICON_XPM ${PROJECT_SOURCE_DIR}/data/zelkgauges.xpm)

# The icon is made from the Linux program's picture by tools/IconFromXpm.cpp, which is built
# with the build machine's own compiler (CMAKE_CXX_COMPILER makes Windows programs).
find_program(ZELK_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
set(ZELK_WIN32_ICON_TOOL ${CMAKE_BINARY_DIR}/host/icon-from-xpm)
set(ZELK_WIN32_ICON ${CMAKE_BINARY_DIR}/win32/zelkgauges.ico)
add_custom_command(OUTPUT ${ZELK_WIN32_ICON_TOOL}
    COMMAND ${ZELK_HOST_CXX} -std=c++17 -O1 -o ${ZELK_WIN32_ICON_TOOL}
            ${PROJECT_SOURCE_DIR}/tools/IconFromXpm.cpp
    DEPENDS ${PROJECT_SOURCE_DIR}/tools/IconFromXpm.cpp
    COMMENT "Building the icon tool for the build machine"
    VERBATIM)
add_custom_command(OUTPUT ${ZELK_WIN32_ICON}
    COMMAND ${ZELK_WIN32_ICON_TOOL} ${ZELK_WIN32_ICON_XPM} ${ZELK_WIN32_ICON}
    DEPENDS ${ZELK_WIN32_ICON_TOOL} ${ZELK_WIN32_ICON_XPM}
    COMMENT "Making zelkgauges.ico from data/zelkgauges.xpm"
    VERBATIM)
add_custom_target(zelk_win32_icon DEPENDS ${ZELK_WIN32_ICON})
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/host ${CMAKE_BINARY_DIR}/win32)

# The resource compiler reads its strings in code page 1252, where the copyright sign is octal
# 251.
set(ZELK_WIN32_COPYRIGHT "\\251 ${ZELK_COPYRIGHT_HOLDER}")
set(ZELK_WIN32_MANIFEST ${CMAKE_BINARY_DIR}/win32/zelkgauges.manifest)
configure_file(${ZELK_WIN32_SRC}/app/win32/zelkgauges.manifest.in ${ZELK_WIN32_MANIFEST} @ONLY)
set(ZELK_WIN32_RESOURCE_SCRIPT ${CMAKE_BINARY_DIR}/win32/zelkgauges.rc)
configure_file(${ZELK_WIN32_SRC}/app/win32/zelkgauges.rc.in ${ZELK_WIN32_RESOURCE_SCRIPT} @ONLY)
# The resource compiler finds app/win32/ZelkResources.h through the source folder.
set_source_files_properties(${ZELK_WIN32_RESOURCE_SCRIPT} PROPERTIES
    OBJECT_DEPENDS "${ZELK_WIN32_ICON};${ZELK_WIN32_MANIFEST}"
    INCLUDE_DIRECTORIES ${ZELK_WIN32_SRC})

function(zelk_win32_add_resources target)
    target_sources(${target} PRIVATE ${ZELK_WIN32_RESOURCE_SCRIPT})
    add_dependencies(${target} zelk_win32_icon)
endfunction()
