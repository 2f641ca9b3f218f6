cmake_minimum_required(VERSION 3.20)
# The engine's folders form layers; an #include may point only to the folder's own layer or
# below it:  exports -> install, ui -> filters, state, mif -> model -> engine.
# The setup host stands outside them: it calls the engine through its exports only, so host/
# includes nothing of this tree but the public header and its own files.
# Run as: cmake -DSOURCE_DIR=<source root> -P CheckLayers.cmake
if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR is not set")
endif()

set(layer_engine 0)
set(layer_model 1)
set(layer_filters 2)
set(layer_state 2)
set(layer_mif 2)
set(layer_install 3)
set(layer_ui 3)
set(layer_exports 4)
set(layered_folders engine model filters state mif install ui exports)

# Includes that still point upward, each named with its reason; no new one may join them.
# The model holds each feature's filter list, reads earlier installations' records while it
# loads and translates the server keywords from the recorded server settings.
set(known_upward_includes
  "model/Model.h -> filters/FilterList.h"
  "model/SetupDump.cpp -> filters/FilterList.h"
  "model/Keywords.cpp -> state/Registry.h"
  "model/Keywords.cpp -> state/ServerRecords.h"
  "model/Loader.cpp -> state/Detection.h"
  "model/Loader.cpp -> state/Registry.h"
  "model/Model.cpp -> state/Registry.h")

set(violations)
foreach(folder IN LISTS layered_folders)
  file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]+\"([^\"]+)\".*$" "\\1" included "${line}")
      string(REGEX MATCH "^[^/]+" included_folder "${included}")
      if(NOT DEFINED layer_${included_folder})
        continue()
      endif()
      if(layer_${included_folder} GREATER layer_${folder})
        set(edge "${source} -> ${included}")
        if(NOT edge IN_LIST known_upward_includes)
          list(APPEND violations "${edge}")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

file(GLOB_RECURSE host_sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/host/*.h ${SOURCE_DIR}/host/*.cpp)
foreach(source IN LISTS host_sources)
  file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]+\"([^\"]+)\".*$" "\\1" included "${line}")
    if(NOT included MATCHES "^(host/|include/tessaro\\.h$)")
      list(APPEND violations "${source} -> ${included} (the host includes only include/tessaro.h and host/)")
    endif()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "Includes that break the layering:\n  ${text}")
endif()
message(STATUS "Every include points to its own layer or below, and the host includes only the public header")
