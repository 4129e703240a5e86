# The Windows platform layer: sources under src/platform/win32/ and the system libraries they
# call. Defines
#   ZELK_WIN32_PLATFORM_SOURCES      absolute paths of the sources
#   ZELK_WIN32_PLATFORM_LIBRARIES    system libraries to link (MinGW names)
#   ZELK_WIN32_PLATFORM_DEFINITIONS  compile definitions they are written for
# and the function zelk_use_win32_platform(target) that gives a target that compiles them the
# definitions and the libraries.
set(ZELK_WIN32_PLATFORM_DIR ${CMAKE_CURRENT_LIST_DIR}/../src/platform/win32)
cmake_path(NORMAL_PATH ZELK_WIN32_PLATFORM_DIR)

set(ZELK_WIN32_PLATFORM_SOURCES
    CodePageText.cpp
    NativePathResolver.cpp
    ShellFolderPicker.cpp
    Win32Console.cpp
    Win32Disk.cpp
    Win32Error.cpp
    Win32ExecutableFolder.cpp
    Win32Path.cpp
    Win32Process.cpp
    Win32ProfileStore.cpp
    Win32ProfileString.cpp
    Win32Prompter.cpp
    Win32System.cpp
    Win32Text.cpp
)
list(TRANSFORM ZELK_WIN32_PLATFORM_SOURCES PREPEND ${ZELK_WIN32_PLATFORM_DIR}/)

# shell32: SHBrowseForFolderA, SHGetPathFromIDListA; ole32: CoInitializeEx, CoTaskMemFree;
# user32: MessageBoxA; kernel32 (files, profile strings, code pages) is always linked. The
# windows to come add comctl32 (progress and status bars) and gdi32 (fonts).
set(ZELK_WIN32_PLATFORM_LIBRARIES shell32 ole32 user32)

# Windows 7 is the oldest system supported (LCMapStringEx, FindExInfoBasic, large fetch);
# the code calls the A and W functions by name, so UNICODE is not needed either way.
set(ZELK_WIN32_PLATFORM_DEFINITIONS _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)

function(zelk_use_win32_platform target)
    target_compile_definitions(${target} PUBLIC ${ZELK_WIN32_PLATFORM_DEFINITIONS})
    target_link_libraries(${target} PUBLIC ${ZELK_WIN32_PLATFORM_LIBRARIES})
endfunction()
