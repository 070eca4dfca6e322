# The folders depend on each other one way:
#   platform < data < controls < shell < {units, invoices, reports, transmission} < app
# A folder may include its own headers and those of lower folders, never those of
# a higher one; a subsystem includes another subsystem's headers only along the
# links listed in LAYER_SIDEWAYS. The libraries a folder's CMakeLists.txt links
# are held to the same order.
#
#   cmake -DSOURCE_DIR=<tree> -P cmake/LayerCheck.cmake
#
# Fails with one line per offending include or link.

cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "LayerCheck: SOURCE_DIR not set")
endif()

set(LAYER_platform 0)
set(LAYER_data 1)
set(LAYER_controls 2)
set(LAYER_shell 3)
set(LAYER_units 4)
set(LAYER_invoices 4)
set(LAYER_reports 4)
set(LAYER_transmission 4)
set(LAYER_app 5)
set(FOLDERS platform data controls shell units invoices reports transmission app)
# The invoice list opens the correction window; the regeneration window derives
# from the reference month window.
set(LAYER_SIDEWAYS "reports->invoices;transmission->invoices")

# The folder that a library of the build belongs to.
function(folder_of_library lib out)
  set(folder "")
  if(lib MATCHES "^meru_(platform)$")
    set(folder platform)
  elseif(lib MATCHES "^meru_(data|schema|paradox|store|layout)$")
    set(folder data)
  elseif(lib MATCHES "^meru_(controls|shell|app)$")
    set(folder ${CMAKE_MATCH_1})
  elseif(lib MATCHES "^meru_(units|invoices|reports|transmission)(_[a-z]+)?$")
    set(folder ${CMAKE_MATCH_1})
  endif()
  set(${out} "${folder}" PARENT_SCOPE)
endfunction()

# Appends to VIOLATIONS when `from` may not depend on `to`.
macro(check_dependency from to where)
  if(NOT "${to}" STREQUAL "${from}")
    if(LAYER_${to} GREATER LAYER_${from})
      list(APPEND VIOLATIONS "${where} reaches up from ${from}/ to ${to}/")
    elseif(LAYER_${to} EQUAL LAYER_${from} AND NOT "${from}->${to}" IN_LIST LAYER_SIDEWAYS)
      list(APPEND VIOLATIONS "${where} reaches sideways from ${from}/ to ${to}/")
    endif()
  endif()
endmacro()

set(VIOLATIONS "")
foreach(folder IN LISTS FOLDERS)
  if(NOT IS_DIRECTORY "${SOURCE_DIR}/${folder}")
    continue()
  endif()
  file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}"
       "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.hpp" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][a-z_]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[\"<]([a-z_]+)/.*" "\\1" target "${line}")
      if(DEFINED LAYER_${target})
        string(STRIP "${line}" line)
        check_dependency(${folder} ${target} "${source}: ${line}")
      endif()
    endforeach()
  endforeach()

  file(GLOB_RECURSE listfiles RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/${folder}/CMakeLists.txt")
  foreach(listfile IN LISTS listfiles)
    file(READ "${SOURCE_DIR}/${listfile}" text)
    string(REGEX MATCHALL "target_link_libraries\\([^)]*\\)" links "${text}")
    foreach(line IN LISTS links)
      string(REGEX MATCHALL "meru_[a-z_]+" libs "${line}")
      foreach(lib IN LISTS libs)
        folder_of_library(${lib} target)
        if(target)
          check_dependency(${folder} ${target} "${listfile}: links ${lib}")
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()

if(VIOLATIONS)
  list(JOIN VIOLATIONS "\n  " text)
  message(FATAL_ERROR "Layer check failed:\n  ${text}")
endif()
message(STATUS "Layer check passed")
