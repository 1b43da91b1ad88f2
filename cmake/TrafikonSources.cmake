# SPDX-License-Identifier: GPL-3.0-or-later
# Sources are gathered by the layer rule of TrafikonLayers.cmake, so that adding
# a file needs no edit here.
include(${CMAKE_CURRENT_LIST_DIR}/TrafikonLayers.cmake)
file(GLOB_RECURSE _all_cpp CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp)
file(GLOB_RECURSE _all_h CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.h)
file(GLOB_RECURSE _all_qrc CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.qrc)
set(TRAFIKON_CORE_SOURCES)
set(TRAFIKON_GUI_SOURCES ${_all_qrc})
set(TRAFIKON_BATCH_SOURCES)
set(TRAFIKON_APP_SOURCES)
foreach(f IN LISTS _all_cpp _all_h)
  trafikon_source_layer(${f} _layer)
  string(TOUPPER ${_layer} _layer)
  list(APPEND TRAFIKON_${_layer}_SOURCES ${f})
endforeach()
