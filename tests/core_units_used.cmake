# Fails when a unit of the core library is linked into no shipped program.
# A static library contributes an object file to a program only when the
# program needs one of its symbols, so a unit none of whose functions is in
# velk or velk-editor serves only the tests.
#
#   cmake -DNM=nm -DARCHIVES=a.a,b.a -DBINARIES=velk,velk-editor -P core_units_used.cmake
#
# Units that wait for a window still being built; remove a unit from this list
# in the change that uses it.
cmake_minimum_required(VERSION 3.20)

set(waiting
)

string(REPLACE "," ";" ARCHIVES "${ARCHIVES}")
string(REPLACE "," ";" BINARIES "${BINARIES}")

function(defined_symbols file out)
  execute_process(COMMAND ${NM} -g --defined-only -P -A ${file} OUTPUT_VARIABLE text RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${NM} cannot read ${file}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(shipped "")
foreach(binary IN LISTS BINARIES)
  defined_symbols(${binary} text)
  string(REGEX REPLACE "[^\n]*: ([^ \n]+) [TDBR] [^\n]*" "\\1" names "${text}")
  string(APPEND shipped "\n${names}\n")
endforeach()

set(unused "")
set(used_waiting "")
foreach(archive IN LISTS ARCHIVES)
  defined_symbols(${archive} text)
  # One strong function or datum per unit is enough: a linked unit brings all of them.
  string(REGEX MATCHALL "\\[[^]\n]+\\.o\\]: [^ \n]+ [TDBR] " lines "${text}")
  set(seen "")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "\\[([^]]+)\\.o\\]: ([^ ]+) " _ "${line}")
    set(unit "${CMAKE_MATCH_1}")
    if(unit IN_LIST seen)
      continue()
    endif()
    list(APPEND seen "${unit}")
    string(FIND "${shipped}" "\n${CMAKE_MATCH_2}\n" at)
    if(at EQUAL -1 AND NOT unit IN_LIST waiting)
      list(APPEND unused "${unit}")
    elseif(NOT at EQUAL -1 AND unit IN_LIST waiting)
      list(APPEND used_waiting "${unit}")
    endif()
  endforeach()
endforeach()

if(used_waiting)
  message(SEND_ERROR "Used now, remove from the waiting list in core_units_used.cmake: ${used_waiting}")
endif()
if(unused)
  message(FATAL_ERROR "Core units no shipped program uses: ${unused}")
endif()
