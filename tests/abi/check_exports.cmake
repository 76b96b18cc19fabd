# The ABI is written once, in the linker's version script. The shared library must export exactly
# the names it lists, and the header must declare exactly those with RK_API: functions as functions,
# its `extern` globals as data. A name dropped from the header, the sources or the script each makes
# two of the lists differ.
#   cmake -DNM=<nm> -DLIBRARY=<librkbasekit.so> -DMAP=<rkbasekit.map> -DHEADER=<rk_basekit.h> -P check_exports.cmake
set(id "[A-Za-z_][A-Za-z0-9_]*")
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
file(READ ${HEADER} header)
file(READ ${MAP} map)

# Sets `out` to the matches of `pattern` in `text` (each ';' read as '@', which lists would split at),
# each cut down to the name `name_of` captures.
function(names out text pattern name_of)
  string(REPLACE ";" "@" text "${text}")
  string(REGEX MATCHALL "${pattern}" found "${text}")
  list(TRANSFORM found REPLACE "${name_of}" "\\1")
  set(${out} ${found} PARENT_SCOPE)
endfunction()
names(exported_functions "${symbols}" "[0-9a-fA-F]* T ${id}" "^.* (${id})$")
names(exported_data "${symbols}" "[0-9a-fA-F]* [A-SU-Za-z] ${id}" "^.* (${id})$")
names(declared_functions "${header}" "\nRK_API [^(\n]*[ *]${id} *\\(" "^.*[ *](${id}) *\\($")
names(declared_data "${header}" "\nRK_API extern [^@]*[ *]${id} *[[@]" "^.*[ *](${id}) *[[@]$")
names(listed "${map}" "${id}@" "^(${id})@$")
set(declared ${declared_functions} ${declared_data})

set(failed "")
foreach(pair exported_functions:declared_functions declared_functions:exported_functions exported_data:declared_data
             declared_data:exported_data listed:declared declared:listed)
  string(REPLACE ":" ";" pair ${pair})
  list(GET pair 0 a)
  list(GET pair 1 b)
  set(left ${${a}})
  list(REMOVE_ITEM left ${${b}})
  if(left)
    string(APPEND failed "\nin ${a} only: ${left}")
  endif()
endforeach()
if(failed OR NOT declared_functions)  # none found at all would pass unnoticed
  message(FATAL_ERROR "the library's exports, ${MAP} and ${HEADER} disagree:${failed}")
endif()
