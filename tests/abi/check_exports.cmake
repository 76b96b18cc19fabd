# The ABI is written once, in the linker's version script. The shared library must export exactly
# the names it lists, and the header must declare exactly those names with RK_API: functions as
# functions, its `extern` globals as data. A name dropped from the header, the sources or the
# script each makes two of the three lists differ.
#   cmake -DNM=<nm> -DLIBRARY=<librkbasekit.so> -DMAP=<rkbasekit.map> -DHEADER=<rk_basekit.h> -P check_exports.cmake
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY} OUTPUT_VARIABLE table RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
set(identifier "[A-Za-z_][A-Za-z0-9_]*")

set(exported_functions "")
set(exported_data "")
string(REPLACE "\n" ";" lines "${table}")
foreach(line IN LISTS lines)
  if(line MATCHES "^[0-9a-fA-F]* T (${identifier})$")
    list(APPEND exported_functions ${CMAKE_MATCH_1})
  elseif(line MATCHES "^[0-9a-fA-F]* [A-Za-z] (.+)$")
    list(APPEND exported_data ${CMAKE_MATCH_1})
  endif()
endforeach()

# Each declaration starts a line with RK_API and names its function or global on that line. The
# files are read whole with every ';' turned into '@', which CMake's lists would take for a separator.
file(READ ${HEADER} header)
string(REPLACE ";" "@" header "${header}")
string(REGEX MATCHALL "\nRK_API [^\n]*" declarations "${header}")
set(declared_functions "")
set(declared_data "")
foreach(line IN LISTS declarations)
  if(line MATCHES "^\nRK_API extern [^@]*[ *](${identifier}) *[[@]")
    list(APPEND declared_data ${CMAKE_MATCH_1})
  elseif(line MATCHES "(${identifier}) *\\(")
    list(APPEND declared_functions ${CMAKE_MATCH_1})
  endif()
endforeach()

file(READ ${MAP} map)
string(REPLACE ";" "@" map "${map}")
string(REGEX MATCHALL "${identifier}@" listed "${map}")
list(TRANSFORM listed REPLACE "@" "")
set(declared ${declared_functions} ${declared_data})

# Reports the names of `a` missing from `b` and those of `b` missing from `a`.
set(failed FALSE)
function(compare a b)
  set(only_a ${${a}})
  list(REMOVE_ITEM only_a ${${b}})
  set(only_b ${${b}})
  list(REMOVE_ITEM only_b ${${a}})
  foreach(side a b)
    if(only_${side})
      list(JOIN only_${side} "\n  " text)
      message(SEND_ERROR "in ${${side}} only:\n  ${text}")
      set(failed TRUE PARENT_SCOPE)
    endif()
  endforeach()
endfunction()
compare(exported_functions declared_functions)
compare(exported_data declared_data)
compare(listed declared)

list(LENGTH declared_functions functions)
list(JOIN declared_data ", " data)
message(STATUS "${functions} functions and the data globals ${data} declared")
if(failed OR NOT declared_functions)
  message(FATAL_ERROR "the library's exports, ${MAP} and ${HEADER} disagree")
endif()
