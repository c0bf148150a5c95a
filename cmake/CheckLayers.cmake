# Fails when a source file under SOURCE_DIR includes a header of a layer above its own.
#   cmake -DSOURCE_DIR=<folder holding core/, store/, ...> -P CheckLayers.cmake
# A folder may include its own headers and those of the folders listed for it; each line below
# names a folder and what it may include besides itself. Folders not listed may not be included.
cmake_minimum_required(VERSION 3.25)

set(QUIL_LAYERS
    "core:"
    "platform:"
    "store:core platform"
    "movie:core platform"
    "ui:store movie core platform"
    "exam:ui store movie core platform"
    "agents:ui store movie core platform"
    "records:ui store movie core platform"
    "app:exam agents records ui store movie core platform")

if(NOT SOURCE_DIR)
    message(FATAL_ERROR "CheckLayers: give -DSOURCE_DIR=<the src folder>")
endif()
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)

set(known_folders "")
foreach(entry ${QUIL_LAYERS})
    string(REPLACE ":" ";" parts "${entry}")
    list(GET parts 0 folder)
    list(APPEND known_folders ${folder})
    set(allowed "${folder}")
    list(LENGTH parts count)
    if(count GREATER 1)
        list(GET parts 1 below)
        string(REPLACE " " ";" below "${below}")
        list(APPEND allowed ${below})
    endif()
    set(allowed_${folder} ${allowed})
endforeach()
# The program's main.cpp sits on top of every layer.
set(allowed_main ${known_folders})

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
set(faults "")
foreach(source ${sources})
    if(source STREQUAL "main.cpp")
        set(layer main)
    else()
        string(REGEX MATCH "^[^/]+" layer "${source}")
        if(NOT layer IN_LIST known_folders)
            list(APPEND faults "${source}: the folder ${layer}/ belongs to no layer")
            continue()
        endif()
    endif()
    file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${includes})
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" header "${line}")
        string(REGEX MATCH "^[^/]+" target "${header}")
        if(NOT header MATCHES "/" OR NOT target IN_LIST allowed_${layer})
            list(APPEND faults "${source}: includes \"${header}\", above or beside its layer")
        endif()
    endforeach()
endforeach()

if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "Includes that break the layers (see cmake/CheckLayers.cmake):\n  ${text}")
endif()
list(LENGTH sources checked)
message(STATUS "Layers kept: ${checked} files checked")
