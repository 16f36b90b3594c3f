# Replays every file under INPUTS (a list of folders) through TARGET once and
# names the first input that made it fail. Run as
#   cmake -DTARGET=<program> -DINPUTS=<dir;dir> [-DFUZZ=ON] -P Replay.cmake
set(files)
foreach(dir ${INPUTS})
  file(GLOB_RECURSE found LIST_DIRECTORIES false "${dir}/*")
  list(APPEND files ${found})
endforeach()
list(SORT files)
list(LENGTH files count)
set(options)
if(FUZZ)
  # libFuzzer runs file arguments one by one, each announced by "Running:".
  # Twice the fuzzing timeout, so a saved timeout fails here again.
  set(options -runs=1 -timeout=20 -rss_limit_mb=2560)
endif()
execute_process(COMMAND "${TARGET}" ${options} ${files}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  string(REGEX MATCHALL "Running: [^\n]*" running "${out}")
  list(POP_BACK running last)
  string(REPLACE "Running: " "" last "${last}")
  message("${out}")
  message(FATAL_ERROR "fault in ${last} (exit ${rc}, ${count} inputs)")
endif()
message("replayed ${count} inputs")
