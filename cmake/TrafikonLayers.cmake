# SPDX-License-Identifier: GPL-3.0-or-later
# The one rule that sorts the sources of src/ into layers, used by the build,
# the fuzz build, the tests and the check that the core stays free of Qt:
# - gui:   a file whose name ends in _window, _dialog, _widget, _model or _qt
#          (.cpp or .h) may include Qt and goes to the window library trafikon_gui;
# - app:   src/app/main.cpp, the desktop program;
# - batch: src/batch/, the headless driver (Qt-free);
# - core:  every other file, the Qt-free library trafikon_core.
# Qt files live only in ui/, views/ and app/; their name alone puts them in
# the window library.
set(TRAFIKON_QT_FILE_REGEX "_(window|dialog|widget|model|qt)\\.(cpp|h)$")

# trafikon_source_layer(<file> <out-var>): sets <out-var> to gui, app, batch or core.
function(trafikon_source_layer file out)
  if(file MATCHES "/src/app/main\\.cpp$")
    set(${out} app PARENT_SCOPE)
  elseif(file MATCHES "/src/batch/")
    set(${out} batch PARENT_SCOPE)
  elseif(file MATCHES "${TRAFIKON_QT_FILE_REGEX}")
    set(${out} gui PARENT_SCOPE)
  else()
    set(${out} core PARENT_SCOPE)
  endif()
endfunction()

# trafikon_filter_layer(<out-var> <layer> <file>...): the files of that layer.
function(trafikon_filter_layer out layer)
  set(_kept)
  foreach(f IN LISTS ARGN)
    trafikon_source_layer(${f} _layer)
    if(_layer STREQUAL layer)
      list(APPEND _kept ${f})
    endif()
  endforeach()
  set(${out} ${_kept} PARENT_SCOPE)
endfunction()
