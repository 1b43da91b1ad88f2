# Sources are gathered by convention so that adding a file needs no edit here:
# - files whose name ends in _window, _dialog, _widget, _model or _qt (.cpp/.h)
#   may include Qt and go to the window library;
# - every other .cpp under src/ goes to the Qt-free core;
# - src/shell/main.cpp is the desktop program, src/batch/ the headless driver.
file(GLOB_RECURSE _all_cpp CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp)
file(GLOB_RECURSE _all_h CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.h)
file(GLOB_RECURSE _all_qrc CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.qrc)
set(TRAFIKON_CORE_SOURCES)
set(TRAFIKON_GUI_SOURCES ${_all_qrc})
set(TRAFIKON_BATCH_SOURCES)
set(TRAFIKON_APP_SOURCES ${CMAKE_SOURCE_DIR}/src/shell/main.cpp)
set(_gui_pattern "_(window|dialog|widget|model|qt)\\.(cpp|h)$")
foreach(f IN LISTS _all_cpp _all_h)
  if(f STREQUAL "${CMAKE_SOURCE_DIR}/src/shell/main.cpp")
    continue()
  elseif(f MATCHES "/src/batch/")
    list(APPEND TRAFIKON_BATCH_SOURCES ${f})
  elseif(f MATCHES "${_gui_pattern}")
    list(APPEND TRAFIKON_GUI_SOURCES ${f})
  else()
    list(APPEND TRAFIKON_CORE_SOURCES ${f})
  endif()
endforeach()
