# The layers: one folder of src/ and one static library dolvane_<folder> each,
# declared here once for the Linux and the Windows build (included by
# CMakeLists.txt).
#
# A file sees only the headers of its own layer and of the layers its target
# links: each layer's headers are reached through a folder of its own in the
# build tree (layers/<name>/<folder> -> src/<folder>), and only that folder is
# on the include path of the targets that link the layer. An include that points
# up or sideways therefore fails to compile.

# Folder and rank, lowest first. A layer may link only layers of a lower rank;
# equal ranks are peers. scripts/check_includes.sh reads this table too.
set(LAYER_RANKS
  console=0
  link=1
  modbus=2
  readers=3 config=3 sim=3 journal=3
  models=4
  operations=5 monitor=5 discovery=5
  session=6 tools=6 bus=6
  layout=7 pdf=7 report=7
  monitoring=8 busview=8 commissioning=8
  app=9 cli=9 win=9 sim/main=9
)
set(LAYER_FOLDERS)
foreach(entry IN LISTS LAYER_RANKS)
  string(REPLACE "=" ";" pair ${entry})
  list(GET pair 0 folder)
  list(GET pair 1 rank)
  list(APPEND LAYER_FOLDERS ${folder})
  set(LAYER_RANK_${folder} ${rank})
endforeach()

# The flags every target of ours compiles its C++ with (not GoogleTest's own build,
# nor the Windows resource file).
add_library(dolvane_warnings INTERFACE)
target_compile_options(dolvane_warnings INTERFACE
  $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wformat=2 -Wno-format-nonliteral>)

# Platform files are picked by their prefix: posix_*/linux_* on Linux, win32_* on
# Windows. Sources and tests alike.
if(WIN32)
  set(OTHER_PLATFORM_FILES "/(posix|linux)_[^/]*$")
else()
  set(OTHER_PLATFORM_FILES "/win32_[^/]*$")
endif()
# Each folder is globbed, so adding a file needs no edit here.
function(glob_sources out)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND files ${found})
  endforeach()
  list(FILTER files EXCLUDE REGEX "${OTHER_PLATFORM_FILES}")
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# The folder on the include path of a layer's users: it holds a link to the
# layer's folder alone. A layer folder that holds another layer (sim holds
# sim/main) is linked entry by entry, leaving the inner layer out.
function(layer_include_dir folder out)
  string(REPLACE "/" "_" name ${folder})
  set(root ${CMAKE_BINARY_DIR}/layers/${name})
  set(link ${root}/${folder})
  get_filename_component(parent ${link} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  set(inner)
  foreach(other IN LISTS LAYER_FOLDERS)
    if(other MATCHES "^${folder}/")
      list(APPEND inner ${CMAKE_SOURCE_DIR}/src/${other})
    endif()
  endforeach()
  if(NOT inner)
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${link} SYMBOLIC)
  else()
    file(MAKE_DIRECTORY ${link})
    file(GLOB stale LIST_DIRECTORIES true ${link}/*)  # links only: removing one leaves its file
    if(stale)
      file(REMOVE ${stale})
    endif()
    file(GLOB entries LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*)
    list(REMOVE_ITEM entries ${inner})
    list(FILTER entries EXCLUDE REGEX "\\.cpp$")
    foreach(entry IN LISTS entries)
      get_filename_component(entry_name ${entry} NAME)
      file(CREATE_LINK ${entry} ${link}/${entry_name} SYMBOLIC)
    endforeach()
  endif()
  set(${out} ${root} PARENT_SCOPE)
endfunction()

# dolvane_layer(FOLDER [PUBLIC item...] [PRIVATE item...] [SOURCES file...])
# Makes dolvane_<folder> from the folder's sources (or SOURCES). An item that is
# a layer folder links that layer and must rank lower; any other item (Qt,
# Threads, dolvane_version) is linked as it is. PUBLIC is for what the layer's
# own headers include.
function(dolvane_layer folder)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "PUBLIC;PRIVATE;SOURCES")
  if(NOT DEFINED LAYER_RANK_${folder})
    message(FATAL_ERROR "${folder} is not in LAYER_RANKS")
  endif()
  string(REPLACE "/" "_" target dolvane_${folder})
  if(NOT arg_SOURCES)
    glob_sources(arg_SOURCES src/${folder})
  endif()
  add_library(${target} STATIC ${arg_SOURCES})
  target_link_libraries(${target} PRIVATE dolvane_warnings)
  layer_include_dir(${folder} include_dir)
  target_include_directories(${target} PUBLIC ${include_dir})
  foreach(scope PUBLIC PRIVATE)
    foreach(item IN LISTS arg_${scope})
      if(item IN_LIST LAYER_FOLDERS)
        if(NOT LAYER_RANK_${item} LESS LAYER_RANK_${folder})
          message(FATAL_ERROR "layer ${folder} (rank ${LAYER_RANK_${folder}}) may not use "
                              "${item} (rank ${LAYER_RANK_${item}}): not below it")
        endif()
        string(REPLACE "/" "_" item dolvane_${item})
      endif()
      target_link_libraries(${target} ${scope} ${item})
    endforeach()
  endforeach()
endfunction()

find_package(Threads REQUIRED)

# nlohmann-json (header only, Debian's nlohmann-json3-dev) for the bus file and
# the write journal. Its folder is reached through a link of its own, so the
# MinGW build sees that header and nothing else of the host's /usr/include.
find_path(NLOHMANN_JSON_ROOT nlohmann/json.hpp HINTS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/third_party)
file(CREATE_LINK ${NLOHMANN_JSON_ROOT}/nlohmann ${CMAKE_BINARY_DIR}/third_party/nlohmann SYMBOLIC)
add_library(dolvane_json INTERFACE)
target_include_directories(dolvane_json SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/third_party)

dolvane_layer(console)
# The English catalogue, compiled from translations/dolvane_en.ts (console/texts.h).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(ENGLISH_TS ${CMAKE_SOURCE_DIR}/translations/dolvane_en.ts)
set(ENGLISH_CPP ${CMAKE_BINARY_DIR}/generated/translations_en.cpp)
add_custom_command(OUTPUT ${ENGLISH_CPP}
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/scripts/ts_to_cpp.py ${ENGLISH_TS} ${ENGLISH_CPP}
  DEPENDS ${ENGLISH_TS} ${CMAKE_SOURCE_DIR}/scripts/ts_to_cpp.py
  COMMENT "English catalogue from dolvane_en.ts")
target_sources(dolvane_console PRIVATE ${ENGLISH_CPP})
dolvane_layer(link       PRIVATE console Threads::Threads)
dolvane_layer(modbus     PUBLIC console link)
dolvane_layer(readers    PUBLIC modbus PRIVATE console)
dolvane_layer(config     PUBLIC modbus PRIVATE console link)
dolvane_layer(sim        PUBLIC link PRIVATE modbus Threads::Threads)
dolvane_layer(models     PUBLIC readers sim PRIVATE console link)
# The write journal's file, under every front.
dolvane_layer(journal    PUBLIC modbus PRIVATE console dolvane_json)
dolvane_layer(operations PUBLIC config link modbus PRIVATE console models readers)
dolvane_layer(monitor    PUBLIC console modbus readers)
dolvane_layer(discovery  PUBLIC link modbus PRIVATE console models)
dolvane_layer(session    PUBLIC console link operations Threads::Threads PRIVATE journal)
# The traffic list and the module finder under both windows.
dolvane_layer(tools      PUBLIC console discovery link operations PRIVATE modbus monitor)
dolvane_layer(layout     PUBLIC config link modbus operations PRIVATE console models)
# Monitoring as both windows run it, on the session and the form model.
dolvane_layer(monitoring PUBLIC monitor PRIVATE console layout models operations session)
dolvane_layer(bus        PUBLIC console discovery link modbus models monitor PRIVATE readers dolvane_json)
# A bus's commissioning report: read once, as CSV and as a document.
dolvane_layer(report     PUBLIC bus monitor PRIVATE console link models)
# A factory-set module given its place on a bus.
dolvane_layer(commissioning PUBLIC bus PRIVATE config console discovery link modbus models monitor report)
# The bus view as both windows run it, on the session.
dolvane_layer(busview    PUBLIC bus report tools PRIVATE console link models monitor operations session)
# The simulator program's command line (the fuzz targets read it too).
dolvane_layer(sim/main   PUBLIC link sim PRIVATE bus models SOURCES ${CMAKE_SOURCE_DIR}/src/sim/main/sim_options.cpp)
