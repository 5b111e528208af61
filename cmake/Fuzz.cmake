# libFuzzer targets, built with clang (`cmake --preset fuzz`): the core is
# instrumented for coverage and runs under ASan and UBSan, and any report
# ends the run as a crash.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "ZR_FUZZ needs clang; use the fuzz preset")
endif()
set(ZR_FUZZ_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(zr_core PRIVATE -fsanitize=fuzzer-no-link ${ZR_FUZZ_SANITIZERS})
# Anything else linking the instrumented core needs the sanitizer runtimes.
target_link_options(zr_core INTERFACE -fsanitize=address,undefined)

foreach(target fuzz_macro_file fuzz_ini_engine fuzz_skin_image
    fuzz_skin_layout
    fuzz_input_reports
    fuzz_config_load
    )
  add_executable(${target} fuzz/${target}.cpp)
  target_compile_options(${target} PRIVATE -fsanitize=fuzzer ${ZR_FUZZ_SANITIZERS})
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${target} PRIVATE zr_core)
endforeach()

# The pop-ups' placement from any layout file.
add_executable(fuzz_popup_placement fuzz/fuzz_popup_placement.cpp)
target_compile_options(fuzz_popup_placement PRIVATE -fsanitize=fuzzer ${ZR_FUZZ_SANITIZERS})
target_link_options(fuzz_popup_placement PRIVATE -fsanitize=fuzzer)
target_link_libraries(fuzz_popup_placement PRIVATE zr_core)
