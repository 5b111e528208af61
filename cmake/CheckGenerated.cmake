# Runs every generator (tools/make_*.py) into WORK_DIR and compares what it
# writes with the committed files at the same places: text and data byte for
# byte, pictures by their decoded pixels within a small tolerance (see
# tools/compare_generated.py), so that an update of the imaging library or a
# font package cannot fail the check. A generator takes the root folder to
# write into as its one argument.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(GLOB tools "${SOURCE_DIR}/tools/make_*.py")
foreach(tool IN LISTS tools)
  execute_process(COMMAND "${PYTHON}" "${tool}" "${WORK_DIR}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${tool} failed")
  endif()
endforeach()
execute_process(COMMAND "${PYTHON}" "${SOURCE_DIR}/tools/compare_generated.py" "${WORK_DIR}" "${SOURCE_DIR}"
                RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "generated files differ from the committed ones")
endif()
