# dolvane-console.exe: the Win32 dialog front (included by cmake/windows.cmake).
enable_language(RC)
dolvane_layer(win PUBLIC busview layout monitoring session PRIVATE bus console discovery link models monitor operations tools dolvane_version comctl32 comdlg32)
add_executable(dolvane-console WIN32 src/win/main/win_main.cpp src/win/dolvane.rc)
target_link_libraries(dolvane-console PRIVATE dolvane_win dolvane_models dolvane_warnings comctl32)
# The .rc is UTF-8 (#pragma code_page(65001)); windres must read it so.
set_source_files_properties(src/win/dolvane.rc PROPERTIES COMPILE_FLAGS "-c 65001"
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/src/win/dolvane.ico;${CMAKE_SOURCE_DIR}/src/win/dolvane-console.manifest")
