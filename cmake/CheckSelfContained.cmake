# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a tracked file names a place outside the repository: the shared
# folder beside it, or an absolute home or machine path. Skipped outside a git
# checkout. usage: cmake -DSRC_DIR=<repository> -P CheckSelfContained.cmake
find_package(Git QUIET)
if(NOT GIT_FOUND OR NOT EXISTS ${SRC_DIR}/.git)
  message(STATUS "not a git checkout: nothing to check")
  return()
endif()
execute_process(COMMAND ${GIT_EXECUTABLE} -c core.quotepath=off ls-files WORKING_DIRECTORY ${SRC_DIR}
                OUTPUT_VARIABLE _listing RESULT_VARIABLE _rc)
if(NOT _rc EQUAL 0)
  message(STATUS "git ls-files failed: nothing to check")
  return()
endif()
string(REPLACE "\n" ";" _files "${_listing}")
# Written in pieces so that this file does not match itself.
set(_outside "[.][.]/shared|(^|[^A-Za-z0-9_.}$/-])/(home|root|work|farm)/")
set(_bad)
foreach(f IN LISTS _files)
  if(f STREQUAL "" OR NOT EXISTS ${SRC_DIR}/${f} OR f MATCHES "[.](png|jpg|ico)$")
    continue()
  endif()
  file(STRINGS ${SRC_DIR}/${f} _lines REGEX "${_outside}")
  foreach(line IN LISTS _lines)
    list(APPEND _bad "${f}: ${line}")
  endforeach()
endforeach()
if(_bad)
  string(REPLACE ";" "\n" _msg "${_bad}")
  message(FATAL_ERROR "Tracked files name paths outside the repository:\n${_msg}")
endif()
message(STATUS "no tracked file names a path outside the repository")
