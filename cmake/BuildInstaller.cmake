# Builds the setup program from a shipped folder (cmake -P):
#   -DSOURCE_DIR=<folder>  what to install (build/windows/dist, or a copy of it)
#   -DOUTPUT=<file.exe>    the setup program
#   -DWORK_DIR=<folder>    where the generated file lists go
#   -DSUMS=<file>          optional: SHA256SUMS of OUTPUT and SUMS_FILES, named
#                          relative to the folder of SUMS
# The version and the publisher come from the executable's version record,
# their one home. A record without a company line names the product there.
cmake_minimum_required(VERSION 3.21)
get_filename_component(root ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)

file(STRINGS ${root}/res/app.rc record REGEX "VALUE \"(FileVersion|CompanyName|ProductName|OriginalFilename)\"")
foreach(line IN LISTS record)
  if(line MATCHES "VALUE \"([A-Za-z]+)\", \"([^\"]*)\"")
    set(rc_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
  endif()
endforeach()
set(version ${rc_FileVersion})
set(publisher "${rc_CompanyName}")
if(publisher STREQUAL "")
  set(publisher "${rc_ProductName}")
endif()
set(exe "${rc_OriginalFilename}")
if(NOT version OR NOT exe OR NOT EXISTS "${SOURCE_DIR}/${exe}")
  message(FATAL_ERROR "No ${exe} with a version record in ${SOURCE_DIR}")
endif()

# The user's files are installed once and then kept (see installer/zr305.nsi);
# everything else is the program's and is replaced. Sorted, so that two builds
# pack the same files in the same order.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
list(REMOVE_ITEM files config.ini Macro_EN.dat Macro_CN.dat)
list(SORT files)
set(install "")
set(uninstall "")
set(directories "")
set(current "-")
foreach(file IN LISTS files)
  get_filename_component(directory "${file}" DIRECTORY)
  string(REPLACE "/" "\\" windowsFile "${file}")
  string(REPLACE "/" "\\" windowsDirectory "${directory}")
  if(NOT directory STREQUAL current)
    set(current "${directory}")
    if(directory STREQUAL "")
      string(APPEND install "SetOutPath \"$INSTDIR\"\n")
    else()
      string(APPEND install "SetOutPath \"$INSTDIR\\${windowsDirectory}\"\n")
      string(REPLACE "\\" ";" parts "${windowsDirectory}")
      set(path "")
      foreach(part IN LISTS parts)
        string(APPEND path "\\${part}")
        list(APPEND directories "${path}")
      endforeach()
    endif()
  endif()
  string(APPEND install "File \"${SOURCE_DIR}/${file}\"\n")
  string(APPEND uninstall "Delete \"$INSTDIR\\${windowsFile}\"\n")
endforeach()
string(APPEND install "SetOutPath \"$INSTDIR\"\n")
list(REMOVE_DUPLICATES directories)
list(SORT directories)
list(REVERSE directories)  # a folder after the folders inside it
foreach(directory IN LISTS directories)
  string(APPEND uninstall "RMDir \"$INSTDIR${directory}\"\n")
endforeach()
file(MAKE_DIRECTORY ${WORK_DIR})
file(WRITE ${WORK_DIR}/files.nsh "${install}")
file(WRITE ${WORK_DIR}/unfiles.nsh "${uninstall}")

find_program(MAKENSIS makensis REQUIRED)
execute_process(
  COMMAND ${MAKENSIS} -V2 -INPUTCHARSET UTF8
          "-DSOURCE_DIR=${SOURCE_DIR}" "-DOUTFILE=${OUTPUT}" "-DVERSION=${version}" "-DPUBLISHER=${publisher}"
          "-DEXE_NAME=${exe}" "-DSOURCE_ICON=${root}/res/app.ico"
          "-DFILES_NSH=${WORK_DIR}/files.nsh" "-DUNFILES_NSH=${WORK_DIR}/unfiles.nsh"
          ${root}/installer/zr305.nsi
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "makensis failed (${result})")
endif()

if(SUMS)
  get_filename_component(sumsDir ${SUMS} DIRECTORY)
  set(sums "")
  foreach(file IN LISTS SUMS_FILES OUTPUT)
    file(SHA256 ${file} hash)
    file(RELATIVE_PATH name ${sumsDir} ${file})
    string(APPEND sums "${hash}  ${name}\n")
  endforeach()
  file(WRITE ${SUMS} "${sums}")
endif()
