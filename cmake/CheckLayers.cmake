# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when the #include "..." lines of src/ make a folder include a folder of
# its own layer or of a higher one, or when a folder below ui/ (or batch/)
# includes a Qt header. Run with: cmake -DSRC_DIR=<repo>/src -P CheckLayers.cmake
#
# The folders of src/, one layer a line, bottom first. A folder includes only
# folders of lower layers; folders that share a line include nothing of each
# other. Since every arrow points down, no two folders can include each other,
# even through others. ARCHITECTURE.md shows this order with the rule of each.
set(TRAFIKON_LAYERS
  "store"
  "text geo"
  "engine import"
  "state"
  "month"
  "report"
  "ui"
  "views/analysis views/compare views/import views/maintenance"
  "views/synthesis"
  "app batch")

if(NOT SRC_DIR)
  message(FATAL_ERROR "usage: cmake -DSRC_DIR=<repo>/src -P CheckLayers.cmake")
endif()

set(_folders)
set(_rank 0)
foreach(_line IN LISTS TRAFIKON_LAYERS)
  string(REPLACE " " ";" _members "${_line}")
  foreach(_m IN LISTS _members)
    list(APPEND _folders ${_m})
    set(_rank_${_m} ${_rank})
  endforeach()
  math(EXPR _rank "${_rank} + 1")
endforeach()

# folder_of(<path relative to src/> <out-var>): the longest listed folder the
# path lies in, or empty.
function(folder_of path out)
  set(_best "")
  foreach(_f IN LISTS _folders)
    string(LENGTH "${_f}" _len_f)
    string(LENGTH "${_best}" _len_best)
    string(FIND "${path}" "${_f}/" _at)
    if(_at EQUAL 0 AND _len_f GREATER _len_best)
      set(_best ${_f})
    endif()
  endforeach()
  set(${out} "${_best}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE _files RELATIVE ${SRC_DIR} ${SRC_DIR}/*.cpp ${SRC_DIR}/*.h)
list(SORT _files)
set(_bad)
foreach(_file IN LISTS _files)
  folder_of(${_file} _from)
  if(_from STREQUAL "")
    list(APPEND _bad "${_file}: its folder has no layer, add it to TRAFIKON_LAYERS")
    continue()
  endif()
  get_filename_component(_dir ${_file} DIRECTORY)
  file(STRINGS ${SRC_DIR}/${_file} _includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(_line IN LISTS _includes)
    string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" _inc "${_line}")
    if(EXISTS ${SRC_DIR}/${_dir}/${_inc})
      set(_target ${_dir}/${_inc})
    elseif(EXISTS ${SRC_DIR}/${_inc})
      set(_target ${_inc})
    else()
      continue()
    endif()
    folder_of(${_target} _to)
    if(NOT _to STREQUAL "" AND NOT _to STREQUAL _from AND NOT _rank_${_to} LESS _rank_${_from})
      list(APPEND _bad "${_file} includes ${_inc}: ${_from}/ may include only lower layers")
    endif()
  endforeach()
  if(_rank_${_from} LESS _rank_ui OR _from STREQUAL "batch")
    file(STRINGS ${SRC_DIR}/${_file} _qt REGEX "^[ \t]*#[ \t]*include[ \t]*<Q")
    if(_qt)
      list(APPEND _bad "${_file}: ${_from}/ is Qt-free but includes ${_qt}")
    endif()
  endif()
endforeach()

if(_bad)
  string(REPLACE ";" "\n" _msg "${_bad}")
  message(FATAL_ERROR "The folders of src/ break the layer order:\n${_msg}")
endif()
message(STATUS "folders of src/ follow the layer order")
