# The setup program of the shipped folder, and SHA256SUMS of what ships
# (build/windows/ZR305-1.0.0.1-x64.exe, build/windows/SHA256SUMS).
find_program(ZR_MAKENSIS makensis)
if(ZR_MAKENSIS)
  # Not "setup" in the name: Windows gives such names compatibility shims.
  set(ZR_INSTALLER ${CMAKE_BINARY_DIR}/ZR305-1.0.0.1-x64.exe)
  set(ZR_SUMS ${CMAKE_BINARY_DIR}/SHA256SUMS)
  # The commit's time, should anything in the chain want a date.
  execute_process(COMMAND git -C ${CMAKE_SOURCE_DIR} log -1 --format=%ct OUTPUT_VARIABLE ZR_SOURCE_DATE_EPOCH
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT ZR_SOURCE_DATE_EPOCH)
    set(ZR_SOURCE_DATE_EPOCH 0)
  endif()
  file(GLOB_RECURSE ZR_SHIPPED_DATA CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*)
  add_custom_command(
    OUTPUT ${ZR_INSTALLER} ${ZR_SUMS}
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${ZR_SOURCE_DATE_EPOCH}
            ${CMAKE_COMMAND} -DSOURCE_DIR=${ZR_DIST_DIR} -DOUTPUT=${ZR_INSTALLER}
            -DWORK_DIR=${CMAKE_BINARY_DIR}/installer -DSUMS=${ZR_SUMS} -DSUMS_FILES=$<TARGET_FILE:zr_utility>
            -P ${CMAKE_SOURCE_DIR}/cmake/BuildInstaller.cmake
    DEPENDS zr_utility ${CMAKE_SOURCE_DIR}/installer/zr305.nsi ${CMAKE_SOURCE_DIR}/cmake/BuildInstaller.cmake
            ${CMAKE_SOURCE_DIR}/res/app.rc ${CMAKE_SOURCE_DIR}/res/app.ico ${ZR_SHIPPED_DATA}
    VERBATIM)
  add_custom_target(zr_installer ALL DEPENDS ${ZR_INSTALLER} ${ZR_SUMS})
else()
  message(WARNING "makensis not found (Debian package nsis): no setup program is built")
endif()

# The planted-library test's pieces: two libraries named as system ones that
# leave a marker when loaded, and a program that loads libraries the ordinary way.
foreach(name hid gdiplus)
  add_library(zr_planted_${name} SHARED tests/install/PlantedDll.c)
  set_target_properties(zr_planted_${name} PROPERTIES OUTPUT_NAME ${name} PREFIX ""
                        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted)
endforeach()
add_executable(zr_dll_probe tests/install/DllProbe.c)
set_target_properties(zr_dll_probe PROPERTIES OUTPUT_NAME dll-probe RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted)
if(MINGW)
  target_link_options(zr_dll_probe PRIVATE -municode)
endif()
