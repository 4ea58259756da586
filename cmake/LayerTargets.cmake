# The layer libraries and the include check over them (the order is in Layers.cmake).

include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)

# The targets that `layer` links: the libraries of the layers it uses.
function(vesk_layer_link_targets out layer)
  set(targets)
  foreach(used IN LISTS VESK_LAYER_USES_${layer})
    list(APPEND targets vesk_${used})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# vesk_layer_check_folder(<folder> <layer>): the include check holds every file in <folder>
# (relative to the project) to <layer>.
function(vesk_layer_check_folder folder layer)
  set_property(GLOBAL APPEND PROPERTY VESK_LAYER_FOLDERS "${folder}=${layer}")
endfunction()

# vesk_layer_check_sources(<target>...): the check runs again when a listed source of one of
# these targets changes.
function(vesk_layer_check_sources)
  set_property(GLOBAL APPEND PROPERTY VESK_LAYER_TARGETS ${ARGN})
endfunction()

# vesk_add_layer(<layer> <sources>...): the static library vesk_<layer> of the current
# folder, linking the layers below it. List the headers too, so that the check sees them
# change.
function(vesk_add_layer layer)
  add_library(vesk_${layer} STATIC ${ARGN})
  target_include_directories(vesk_${layer} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  vesk_layer_link_targets(used ${layer})
  target_link_libraries(vesk_${layer} PUBLIC ${used})
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  vesk_layer_check_folder(${folder} ${layer})
  vesk_layer_check_sources(vesk_${layer})
endfunction()

# The target vesk-layer-check, part of every build: it fails when an include in a checked
# folder climbs the layers. The test LayerCheck.Tree runs the same check.
function(vesk_add_layer_check)
  get_property(folders GLOBAL PROPERTY VESK_LAYER_FOLDERS)
  get_property(targets GLOBAL PROPERTY VESK_LAYER_TARGETS)
  set(sources)
  foreach(target IN LISTS targets)
    get_target_property(directory ${target} SOURCE_DIR)
    get_target_property(target_sources ${target} SOURCES)
    foreach(source IN LISTS target_sources)
      if(NOT IS_ABSOLUTE "${source}")
        set(source "${directory}/${source}")
      endif()
      list(APPEND sources "${source}")
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES sources)

  set(check ${CMAKE_COMMAND} -DVESK_CHECK_ROOT=${PROJECT_SOURCE_DIR}
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake -- ${folders})
  set(stamp ${PROJECT_BINARY_DIR}/layers.checked)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${check}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${sources} ${PROJECT_SOURCE_DIR}/cmake/Layers.cmake
            ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake
    COMMENT "Checking that no include climbs the layers"
    VERBATIM)
  add_custom_target(vesk-layer-check ALL DEPENDS ${stamp})
  add_test(NAME LayerCheck.Tree COMMAND ${check})
endfunction()
