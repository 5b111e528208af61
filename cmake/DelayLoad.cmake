# Delay-import libraries for the system DLLs that are not on the known-DLL
# list. Imported the ordinary way, each would be looked for in the program's
# folder before the system's, at load time, before any code of ours runs. Delay
# imports load on the first call instead, after the program has restricted the
# search to the system folder (platform/win32/SystemDllSearch).
# The list of functions comes from MinGW-w64's own import library, so a
# delay library offers exactly what the ordinary one does.
find_program(ZR_DLLTOOL NAMES x86_64-w64-mingw32-dlltool dlltool REQUIRED)
find_program(ZR_NM NAMES x86_64-w64-mingw32-nm nm REQUIRED)

set(ZR_DELAY_DIR ${CMAKE_BINARY_DIR}/delayimp)
file(MAKE_DIRECTORY ${ZR_DELAY_DIR})

# zr_delay_import(<library> <dll file name>): defines the target zr_delay_<library>.
function(zr_delay_import library dll)
  find_library(ZR_IMPORT_${library} NAMES ${library} REQUIRED NO_CACHE)
  set(def ${ZR_DELAY_DIR}/${library}.def)
  set(out ${ZR_DELAY_DIR}/lib${library}_delay.a)
  execute_process(COMMAND ${ZR_NM} ${ZR_IMPORT_${library}} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL " I __imp_[A-Za-z0-9_@]+" imports "${symbols}")
  list(TRANSFORM imports REPLACE " I __imp_" "")
  list(REMOVE_DUPLICATES imports)
  list(SORT imports)
  list(JOIN imports "\n" exports)
  file(WRITE ${def} "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
  # dlltool names the library's symbols after the output path it is given,
  # and they end up in the executable: a bare file name keeps the build
  # folder out of it.
  execute_process(COMMAND ${ZR_DLLTOOL} --input-def ${library}.def --dllname ${dll}
                          --output-delaylib lib${library}_delay.a
                  WORKING_DIRECTORY ${ZR_DELAY_DIR} COMMAND_ERROR_IS_FATAL ANY)
  add_library(zr_delay_${library} STATIC IMPORTED GLOBAL)
  set_target_properties(zr_delay_${library} PROPERTIES IMPORTED_LOCATION ${out})
endfunction()

foreach(pair hid:hid.dll setupapi:setupapi.dll gdiplus:gdiplus.dll winmm:winmm.dll
             comctl32:comctl32.dll comdlg32:comdlg32.dll)
  string(REPLACE ":" ";" pair ${pair})
  list(GET pair 0 library)
  list(GET pair 1 dll)
  zr_delay_import(${library} ${dll})
endforeach()
