# dolvane-console.exe: the Win32 dialog front (included by cmake/windows.cmake).
enable_language(RC)
glob_sources(WIN_SOURCES src/win)
add_executable(dolvane-console WIN32 src/win/main/win_main.cpp ${WIN_SOURCES} src/win/dolvane.rc)
target_link_libraries(dolvane-console PRIVATE dolvane_operations dolvane_version comctl32)
# The .rc is UTF-8 (#pragma code_page(65001)); windres must read it so.
set_source_files_properties(src/win/dolvane.rc PROPERTIES COMPILE_FLAGS "-c 65001")
