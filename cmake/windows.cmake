# The Windows build (cross-compiled with cmake/mingw-w64-x86_64.cmake): the same
# core and CLI sources as on Linux, the Win32 dialog window, and the test suites
# that need no pseudo-terminal. Included from CMakeLists.txt, which globs.
# localtime_r and the other reentrant POSIX time calls, which MinGW-w64 offers on request.
add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _POSIX_THREAD_SAFE_FUNCTIONS)

glob_sources(CORE_SOURCES src/console src/link src/modbus src/readers src/config)
add_library(dolvane_core STATIC ${CORE_SOURCES})
target_include_directories(dolvane_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(dolvane_core PUBLIC setupapi)

# The simulated modules; their pseudo-terminal bus is POSIX only (posix_*).
glob_sources(SIM_SOURCES src/sim)
add_library(dolvane_sim STATIC ${SIM_SOURCES})
target_link_libraries(dolvane_sim PUBLIC dolvane_core)

glob_sources(OPERATIONS_SOURCES ${OPERATIONS_DIRS})
add_library(dolvane_operations STATIC ${OPERATIONS_SOURCES})
target_link_libraries(dolvane_operations PUBLIC dolvane_core dolvane_sim)

glob_sources(CLI_SOURCES src/cli)
add_library(dolvane_cli_lib STATIC ${CLI_SOURCES})
target_link_libraries(dolvane_cli_lib PUBLIC dolvane_operations PRIVATE dolvane_version)
add_executable(dolvane-cli src/cli/main/cli_main.cpp)
target_link_libraries(dolvane-cli PRIVATE dolvane_cli_lib)

include(${CMAKE_SOURCE_DIR}/src/win/win.cmake)

# GoogleTest built from Debian's sources with this compiler.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# A test file that uses POSIX calls (directly or through a support header), the
# pseudo-terminal bus or the Linux programs stays in the Linux suite; the rest is
# the portable suite.
set(POSIX_TEST_MARKS
  "#include <(unistd|termios|poll|fcntl|pty|dirent|signal)\\.h>" "#include <sys/"
  "bus_fixture\\.h" "temp_file\\.h" "pty_pair\\.h" "sim_bus\\.h" "posix_serial_port\\.h"
  "program\\.h" "cli_run\\.h" "dns_blackhole\\.h"
  "StartDemoBus" "DOLVANE_BIN_DIR")
list(JOIN POSIX_TEST_MARKS "|" posix_marks)
glob_sources(TEST_SOURCES ${CORE_TEST_DIRS})
set(PORTABLE_TEST_SOURCES)
foreach(src IN LISTS TEST_SOURCES)
  file(STRINGS ${src} posix_only REGEX "${posix_marks}")
  if(NOT posix_only)
    list(APPEND PORTABLE_TEST_SOURCES ${src})
  endif()
endforeach()
glob_sources(WIN_TEST_SOURCES tests/win)
add_executable(core_tests ${PORTABLE_TEST_SOURCES} ${WIN_TEST_SOURCES})
target_link_libraries(core_tests PRIVATE dolvane_cli_lib gtest gtest_main)
target_include_directories(core_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(core_tests PRIVATE DOLVANE_FIXTURES_DIR="${CMAKE_SOURCE_DIR}/tests/fixtures")

# Drives the running window through its messages (scripts/windows-window-check.sh).
add_executable(window_probe tests/win/probe/window_probe.cpp)
target_link_libraries(window_probe PRIVATE dolvane_operations)
