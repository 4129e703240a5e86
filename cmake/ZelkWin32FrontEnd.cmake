# The Windows front end: the main window, the About window, WinMain and the resources (icon,
# version information, manifest), and the tests that drive the windows under Wine.
#
#   include(cmake/ZelkWin32FrontEnd.cmake)
#   zelk_win32_add_front_end(zelk_core)     # zelk_win32_ui and the program zelkgauges
#   zelk_win32_add_window_tests()           # zelk_win32_window_tests, zelk_win32_screenshot
#
# zelk_core is the toolkit-free core with the Windows platform layer (ProgramFlow, the
# Win32 disk and prompter, core/ProgramInfo.h among its public include folders). The tests
# need GoogleTest (GTest::gtest) and include(GoogleTest) beforehand.
#
# The lists, for wiring by hand:
#   ZELK_WIN32_FRONT_END_SOURCES     the windows, for a library beside the core
#   ZELK_WIN32_MAIN_SOURCE           WinMain
#   ZELK_WIN32_RESOURCE_SCRIPT       the resource script, configured into the build folder
#   ZELK_WIN32_FRONT_END_LIBRARIES   system libraries the windows call (MinGW names)
#   ZELK_WIN32_WINDOW_TEST_SOURCES   the window tests (GoogleTest, with their own main)
#   ZELK_WIN32_WINDOW_TEST_LIBRARIES what the window tests link besides
#   ZELK_WIN32_SCREENSHOT_SOURCE     the tool that saves a picture of the main window
#   ZELK_WIN32_TEST_TREE_SOURCE      tests/support/TempTree.h on the Windows calls
#   ZELK_WIN32_ICON_XPM              the picture the icon is made from (the tests compare)
# and zelk_win32_add_resources(target), which links the resources into a program (the window
# tests need them too: the icon, and the manifest that selects the common controls 6).
#
# The version, title, description and copyright come from the top CMakeLists.txt, as those of
# src/core/ProgramInfo.h do.
set(ZELK_WIN32_SRC ${CMAKE_CURRENT_LIST_DIR}/../src)
cmake_path(NORMAL_PATH ZELK_WIN32_SRC)
set(ZELK_WIN32_TESTS_ROOT ${CMAKE_CURRENT_LIST_DIR}/../tests)
cmake_path(NORMAL_PATH ZELK_WIN32_TESTS_ROOT)
set(ZELK_WIN32_TESTS ${ZELK_WIN32_TESTS_ROOT}/win32)

set(ZELK_WIN32_FRONT_END_SOURCES
    ${ZELK_WIN32_SRC}/about/win32/frmAbout.cpp
    ${ZELK_WIN32_SRC}/app/win32/AppIcon.cpp
    ${ZELK_WIN32_SRC}/app/win32/Win32Program.cpp
    ${ZELK_WIN32_SRC}/app/win32/frmZelk.cpp
    ${ZELK_WIN32_SRC}/platform/win32/Win32Layout.cpp
    ${ZELK_WIN32_SRC}/platform/win32/Win32Window.cpp
)
set(ZELK_WIN32_MAIN_SOURCE ${ZELK_WIN32_SRC}/app/win32/main.cpp)

# comctl32: progress and status bars; gdi32: fonts; user32: windows; ole32: COM for the
# folder picker (CoInitializeEx).
set(ZELK_WIN32_FRONT_END_LIBRARIES comctl32 gdi32 user32 ole32)
# version: the tests read the version information back.
set(ZELK_WIN32_WINDOW_TEST_LIBRARIES version)

set(ZELK_WIN32_WINDOW_TEST_SOURCES
    ${ZELK_WIN32_TESTS}/WindowTestMain.cpp
    ${ZELK_WIN32_TESTS}/WindowTestSupport.cpp
    ${ZELK_WIN32_TESTS}/frmZelkTest.cpp
    ${ZELK_WIN32_TESTS}/frmZelkCommandsTest.cpp
    ${ZELK_WIN32_TESTS}/frmAboutTest.cpp
    ${ZELK_WIN32_TESTS}/ResourcesTest.cpp
)
set(ZELK_WIN32_SCREENSHOT_SOURCE ${ZELK_WIN32_TESTS}/MainWindowScreenshot.cpp)
# The test tree on Windows, for every test program that the Windows build runs.
set(ZELK_WIN32_TEST_TREE_SOURCE ${ZELK_WIN32_TESTS_ROOT}/support/win32/TempTree.cpp)

# The picture the icon is made from, which the tests compare the icon with.
if(EXISTS ${ZELK_WIN32_SRC}/app/qt/zelk_icon.xpm)
    set(ZELK_WIN32_ICON_XPM ${ZELK_WIN32_SRC}/app/qt/zelk_icon.xpm)
else()
    set(ZELK_WIN32_ICON_XPM ${ZELK_WIN32_SRC}/app/zelk_icon.xpm)
endif()

# The resource compiler reads its strings in code page 1252, where the copyright sign is octal
# 251.
set(ZELK_WIN32_COPYRIGHT "\\251 ${ZELK_COPYRIGHT_HOLDER}")

set(ZELK_WIN32_ICON ${ZELK_WIN32_SRC}/app/win32/zelkgauges.ico)
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
endfunction()

function(zelk_win32_add_front_end core)
    add_library(zelk_win32_ui STATIC ${ZELK_WIN32_FRONT_END_SOURCES})
    target_link_libraries(zelk_win32_ui PUBLIC ${core} ${ZELK_WIN32_FRONT_END_LIBRARIES})
    add_executable(zelkgauges WIN32 ${ZELK_WIN32_MAIN_SOURCE})
    zelk_win32_add_resources(zelkgauges)
    target_link_libraries(zelkgauges PRIVATE zelk_win32_ui)
endfunction()

# The test programs find the sample simulator folder through ZELK_TEST_DATA (a Linux path
# reaches Wine through drive Z:).
function(zelk_win32_add_window_tests)
    add_library(zelk_win32_test_support STATIC ${ZELK_WIN32_TEST_TREE_SOURCE})
    target_include_directories(zelk_win32_test_support PUBLIC ${ZELK_WIN32_TESTS_ROOT})
    target_compile_definitions(zelk_win32_test_support
                               PUBLIC ZELK_TEST_DATA="${ZELK_WIN32_TESTS_ROOT}/data")
    target_link_libraries(zelk_win32_test_support PUBLIC zelk_win32_ui)

    add_executable(zelk_win32_window_tests ${ZELK_WIN32_WINDOW_TEST_SOURCES})
    zelk_win32_add_resources(zelk_win32_window_tests)
    target_compile_definitions(zelk_win32_window_tests
                               PRIVATE ZELK_WIN32_ICON_XPM="${ZELK_WIN32_ICON_XPM}")
    target_link_libraries(zelk_win32_window_tests PRIVATE zelk_win32_test_support GTest::gtest
                                                          ${ZELK_WIN32_WINDOW_TEST_LIBRARIES})
    # PRE_TEST: listing the tests runs the program, under Wine, which has no place in a build.
    # One at a time: windows of two test programs on one desktop would take each other's focus.
    gtest_discover_tests(zelk_win32_window_tests DISCOVERY_MODE PRE_TEST
                         PROPERTIES RUN_SERIAL TRUE)

    add_executable(zelk_win32_screenshot ${ZELK_WIN32_SCREENSHOT_SOURCE})
    zelk_win32_add_resources(zelk_win32_screenshot)
    target_link_libraries(zelk_win32_screenshot PRIVATE zelk_win32_test_support)
endfunction()
