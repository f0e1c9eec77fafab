# What only the Windows build (cross-compiled with cmake/mingw-w64-x86_64.cmake)
# adds to the targets CMakeLists.txt declares for both platforms: the Win32
# window, Windows' own libraries, and GoogleTest built with this compiler.
# localtime_r and the other reentrant POSIX time calls, which MinGW-w64 offers on request.
add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _POSIX_THREAD_SAFE_FUNCTIONS)

# The port list reads the serial drivers' registrations; tcp: and mbtcp: go through Winsock.
target_link_libraries(dolvane_link PRIVATE setupapi ws2_32)

include(${CMAKE_SOURCE_DIR}/src/win/win.cmake)

# The version number in each program's file properties.
function(add_version_resource target description)
  set(NAME ${target})
  set(DESCRIPTION ${description})
  set(rc ${CMAKE_BINARY_DIR}/generated/${target}_version.rc)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/windows_version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  set_source_files_properties(${rc} PROPERTIES COMPILE_FLAGS "-c 65001")
endfunction()
add_version_resource(dolvane-console "Dolvane 采集模块调试工具")
add_version_resource(dolvane-cli "Dolvane 采集模块调试工具（命令行）")

# GoogleTest built from Debian's sources with this compiler (GTest::gtest as on Linux).
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Drives the running window through its messages (scripts/windows-window-check.sh).
add_executable(window_probe tests/win/probe/window_probe.cpp)
target_link_libraries(window_probe PRIVATE dolvane_busview dolvane_layout dolvane_tools dolvane_warnings comctl32)

# Reads the version in a program's file properties (scripts/windows-test.sh).
add_executable(file_version tests/win/probe/file_version.cpp)
target_link_libraries(file_version PRIVATE dolvane_warnings version)
target_link_options(file_version PRIVATE -municode)
