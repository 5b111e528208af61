# Windows build: the utility's shippable folder and the tests that run under Wine.
enable_language(RC)
add_compile_definitions(UNICODE _UNICODE NOMINMAX)
if(MINGW)
  # One self-contained executable: no MinGW runtime DLLs beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# The platform's Windows half goes into the core library, as the native half
# does in the native build, so the portable pieces find it whatever links them.
file(GLOB ZR_WIN32_PLATFORM_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
target_sources(zr_core PRIVATE ${ZR_WIN32_PLATFORM_SOURCES})

# The Win32 shell.
file(GLOB_RECURSE ZR_SHELL_SOURCES CONFIGURE_DEPENDS src/*_win.cpp)
list(FILTER ZR_SHELL_SOURCES EXCLUDE REGEX "/program/[^/]*$")
add_library(zr_win32 STATIC ${ZR_SHELL_SOURCES})
target_include_directories(zr_win32 PUBLIC src res)
# The page the web-link spot opens in the default browser.
set(ZR_WEB_LINK "https://example.com/" CACHE STRING "Web page opened by the main window's web-link spot")
target_compile_definitions(zr_win32 PRIVATE ZR_WEB_LINK="${ZR_WEB_LINK}")
# The system DLLs off the known-DLL list are delay-imported (cmake/DelayLoad.cmake).
set(ZR_DELAY_LOADED comctl32 gdiplus comdlg32 setupapi hid winmm)
if(MINGW)
  include(cmake/DelayLoad.cmake)
  list(TRANSFORM ZR_DELAY_LOADED PREPEND zr_delay_ OUTPUT_VARIABLE ZR_SYSTEM_LIBRARIES)
else()
  set(ZR_SYSTEM_LIBRARIES ${ZR_DELAY_LOADED} delayimp)
  foreach(library IN LISTS ZR_DELAY_LOADED)
    target_link_options(zr_core INTERFACE /DELAYLOAD:${library}.dll)
  endforeach()
endif()
target_link_libraries(zr_core PUBLIC ${ZR_SYSTEM_LIBRARIES} gdi32 user32 shell32 ole32)
target_link_libraries(zr_win32 PUBLIC zr_core)

set(ZR_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
set(ZR_EXE_NAME "ZR280S Gaming Mouse Driver")

add_executable(zr_utility WIN32 src/app/program/Main_win.cpp src/app/program/SystemHidBus_win.cpp res/app.rc)
target_link_libraries(zr_utility PRIVATE zr_win32)
set_target_properties(zr_utility PROPERTIES OUTPUT_NAME "${ZR_EXE_NAME}" RUNTIME_OUTPUT_DIRECTORY ${ZR_DIST_DIR})
if(MINGW)
  target_link_options(zr_utility PRIVATE -municode)
endif()

# Everything under data/ ships beside the executable, in the same layout.
add_custom_command(TARGET zr_utility POST_BUILD
                   COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data ${ZR_DIST_DIR})

# GoogleTest built for Windows from its sources, found where Debian ships them
# or where GOOGLETEST_SOURCE (environment or cache) points; failing that, a
# GoogleTest installed for the target, as a package manager installs it.
find_path(ZR_GOOGLETEST_SOURCE NAMES googletest/include/gtest/gtest.h
          PATHS ENV GOOGLETEST_SOURCE /usr/src/googletest
          DOC "GoogleTest sources: the folder holding googletest/ and googlemock/"
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(ZR_GOOGLETEST_SOURCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)  # MSVC: the runtime the rest links
  add_subdirectory(${ZR_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest CONFIG REQUIRED)
endif()

file(GLOB ZR_WINE_TEST_SOURCES CONFIGURE_DEPENDS tests/wine/*.cpp tests/shared/*.cpp)
add_executable(zr_wine_tests ${ZR_WINE_TEST_SOURCES} res/app.rc)
target_include_directories(zr_wine_tests PRIVATE tests)
target_link_libraries(zr_wine_tests PRIVATE zr_win32 GTest::gtest GTest::gmock GTest::gtest_main)
target_compile_definitions(zr_wine_tests PRIVATE ZR_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

# Which HID bus the program talks to is chosen at link time: the shipped build
# links the system's HID, a second build of the same program links the
# virtual mouse, so the whole program runs without hardware. It ships into
# its own folder, with the same data.
set(ZR_VIRTUAL_DIST_DIR ${CMAKE_BINARY_DIR}/dist_virtual)
# The virtual build's ways in from outside: the notices it sends its window,
# the control pipe and the panel; the Wine tests use them too.
add_library(zr_virtual_mouse_win32 STATIC virtual_mouse/program/WindowNoticeSender.cpp
            virtual_mouse/program/ControlPipeServer.cpp virtual_mouse/program/Panel.cpp)
target_link_libraries(zr_virtual_mouse_win32 PUBLIC zr_win32 zr_virtual_mouse)
add_executable(zr_utility_virtual WIN32 src/app/program/Main_win.cpp res/app.rc virtual_mouse/program/VirtualProgramHidBus.cpp)
target_link_libraries(zr_utility_virtual PRIVATE zr_win32 zr_virtual_mouse_win32)
set_target_properties(zr_utility_virtual PROPERTIES OUTPUT_NAME "${ZR_EXE_NAME}"
                      RUNTIME_OUTPUT_DIRECTORY ${ZR_VIRTUAL_DIST_DIR})
if(MINGW)
  target_link_options(zr_utility_virtual PRIVATE -municode)
endif()
add_custom_command(TARGET zr_utility_virtual POST_BUILD
                   COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data ${ZR_VIRTUAL_DIST_DIR})
target_link_libraries(zr_wine_tests PRIVATE zr_virtual_mouse_win32)

# Saves config.ini in a loop until killed; a Wine test kills it mid-save.
add_executable(zr_save_loop tests/wine/programs/SaveLoop.cpp)
target_include_directories(zr_save_loop PRIVATE tests)
target_link_libraries(zr_save_loop PRIVATE zr_win32)
if(MINGW)
  target_link_options(zr_save_loop PRIVATE -municode)
endif()
add_dependencies(zr_wine_tests zr_save_loop)

# The console client of the control pipe, beside the virtual build; the Wine
# tests start it from there.
add_executable(zr_virtual_mouse_client virtual_mouse/program/VirtualMouseClient.cpp)
target_link_libraries(zr_virtual_mouse_client PRIVATE zr_virtual_mouse zr_win32)
set_target_properties(zr_virtual_mouse_client PROPERTIES OUTPUT_NAME "virtual-mouse"
                      RUNTIME_OUTPUT_DIRECTORY ${ZR_VIRTUAL_DIST_DIR})
add_dependencies(zr_utility_virtual zr_virtual_mouse_client)
add_dependencies(zr_wine_tests zr_virtual_mouse_client)

# Timing harnesses, run by hand under Wine or on Windows.
file(GLOB ZR_WINE_TIMING_SOURCES CONFIGURE_DEPENDS benchmarks/wine/*.cpp)
foreach(source IN LISTS ZR_WINE_TIMING_SOURCES)
  get_filename_component(name ${source} NAME_WE)
  add_executable(zr_timing_${name} ${source})
  target_link_libraries(zr_timing_${name} PRIVATE zr_win32 zr_virtual_mouse)
  target_include_directories(zr_timing_${name} PRIVATE tests)  # baselines shared with the tests
  target_compile_definitions(zr_timing_${name} PRIVATE ZR_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endforeach()

# The start-up harness creates the real main window: it needs the resources,
# the virtual mouse and a copy of the shipped data it may write into.
set(ZR_STARTUP_TIMING_DATA ${CMAKE_BINARY_DIR}/startup_timing_data)
target_sources(zr_timing_StartupTiming PRIVATE res/app.rc)
target_link_libraries(zr_timing_StartupTiming PRIVATE zr_virtual_mouse)
target_compile_definitions(zr_timing_StartupTiming PRIVATE ZR_STARTUP_TIMING_DATA="${ZR_STARTUP_TIMING_DATA}")
add_custom_command(TARGET zr_timing_StartupTiming POST_BUILD
                   COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data ${ZR_STARTUP_TIMING_DATA})

# The indicator harness runs the real main window too, on its own copy of the data.
target_sources(zr_timing_IndicatorTiming PRIVATE res/app.rc)

# The foreground-switch harness creates the real main window too, on a copy
# of the same data.
target_sources(zr_timing_ForegroundSwitchTiming PRIVATE res/app.rc)
target_compile_definitions(zr_timing_ForegroundSwitchTiming PRIVATE ZR_STARTUP_TIMING_DATA="${ZR_STARTUP_TIMING_DATA}")
add_dependencies(zr_timing_ForegroundSwitchTiming zr_timing_StartupTiming)

include(cmake/Installer.cmake)
