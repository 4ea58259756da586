# Fails when a file includes a header from a layer above its own, or beside it (the order is
# in Layers.cmake):
#
#   cmake -DVESK_CHECK_ROOT=<tree> -P CheckLayers.cmake -- <folder>=<layer>...
#
# Each folder, relative to the root, holds files of the one layer named with it. An include
# "x/y.h" whose first part is a layer must name that layer or one below it. Any other header
# of the tree that a file includes (the test helpers in tests/support, a test's local header)
# is followed, and its own includes are held to the including file's layer. Include paths are
# looked up beside the including file, then in the parents of the folders.

cmake_minimum_required(VERSION 3.22)
include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)

set(assignments)
set(after_dashes FALSE)
math(EXPR last_argument "${CMAKE_ARGC} - 1")
foreach(index RANGE ${last_argument})
  if(after_dashes)
    list(APPEND assignments "${CMAKE_ARGV${index}}")
  elseif(CMAKE_ARGV${index} STREQUAL "--")
    set(after_dashes TRUE)
  endif()
endforeach()
if(NOT IS_DIRECTORY "${VESK_CHECK_ROOT}" OR NOT assignments)
  message(FATAL_ERROR "usage: cmake -DVESK_CHECK_ROOT=<tree> -P CheckLayers.cmake -- "
                      "<folder>=<layer>...")
endif()
get_filename_component(VESK_CHECK_ROOT "${VESK_CHECK_ROOT}" REALPATH)

set(include_roots)
foreach(assignment IN LISTS assignments)
  string(REGEX MATCH "^(.+)=(.+)$" matched "${assignment}")
  if(NOT matched OR NOT CMAKE_MATCH_2 IN_LIST VESK_LAYERS)
    message(FATAL_ERROR "'${assignment}' is not <folder>=<layer> with a layer of Layers.cmake")
  endif()
  get_filename_component(parent "${VESK_CHECK_ROOT}/${CMAKE_MATCH_1}" DIRECTORY)
  list(APPEND include_roots "${parent}")
endforeach()
list(REMOVE_DUPLICATES include_roots)

# Checks `file` against `layer` once; `origin` is the folder's file that led to it.
function(check_file file layer origin)
  get_property(checked GLOBAL PROPERTY vesk_checked_${layer})
  if(file IN_LIST checked)
    return()
  endif()
  set_property(GLOBAL APPEND PROPERTY vesk_checked_${layer} "${file}")

  file(RELATIVE_PATH shown "${VESK_CHECK_ROOT}" "${file}")
  if(NOT origin STREQUAL file)
    file(RELATIVE_PATH shown_origin "${VESK_CHECK_ROOT}" "${origin}")
    string(APPEND shown " (included from ${shown_origin})")
  endif()
  get_filename_component(directory "${file}" DIRECTORY)

  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" header "${line}")
    string(REGEX MATCH "^[^/]+/" first "${header}")
    string(REGEX REPLACE "/$" "" first "${first}")
    if(first IN_LIST VESK_LAYERS)
      if(NOT first IN_LIST allowed_${layer})
        set_property(GLOBAL APPEND PROPERTY vesk_violations
                     "${shown}: \"${header}\" belongs to ${first}, which ${layer} may not use")
      endif()
      continue()
    endif()
    foreach(root IN ITEMS "${directory}" ${include_roots})
      if(EXISTS "${root}/${header}" AND NOT IS_DIRECTORY "${root}/${header}")
        get_filename_component(resolved "${root}/${header}" REALPATH)
        check_file("${resolved}" ${layer} "${origin}")
        break()
      endif()
    endforeach()
  endforeach()
endfunction()

foreach(layer IN LISTS VESK_LAYERS)
  vesk_layers_below(below ${layer})
  set(allowed_${layer} ${layer} ${below})
endforeach()

set(file_count 0)
foreach(assignment IN LISTS assignments)
  string(REGEX MATCH "^(.+)=(.+)$" matched "${assignment}")
  set(layer ${CMAKE_MATCH_2})
  get_filename_component(folder "${VESK_CHECK_ROOT}/${CMAKE_MATCH_1}" REALPATH)
  file(GLOB_RECURSE files "${folder}/*.h" "${folder}/*.cpp")
  list(SORT files)
  foreach(file IN LISTS files)
    check_file("${file}" ${layer} "${file}")
    math(EXPR file_count "${file_count} + 1")
  endforeach()
endforeach()

get_property(violations GLOBAL PROPERTY vesk_violations)
if(violations)
  list(JOIN violations "\n  " shown)
  message(FATAL_ERROR "Includes that climb the layers (cmake/Layers.cmake):\n  ${shown}")
endif()
message(STATUS "Layers hold: ${file_count} files checked")
