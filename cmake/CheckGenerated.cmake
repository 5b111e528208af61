# Regenerates the generated files into WORK_DIR and compares them byte for byte
# with the committed ones.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
set(PAIRS
  "tools/make_config_ini.py|data/config.ini"
  "tools/make_icon.py|res/app.ico")
foreach(pair IN LISTS PAIRS)
  string(REPLACE "|" ";" parts "${pair}")
  list(GET parts 0 tool)
  list(GET parts 1 committed)
  get_filename_component(name "${committed}" NAME)
  execute_process(COMMAND "${PYTHON}" "${SOURCE_DIR}/${tool}" "${WORK_DIR}/${name}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${tool} failed")
  endif()
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK_DIR}/${name}" "${SOURCE_DIR}/${committed}"
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${committed} differs from what ${tool} writes")
  endif()
endforeach()
