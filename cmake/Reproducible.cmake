# Two builds of one commit give the same bytes, wherever they are built: no
# build folder in the objects and no link time in the executables' headers.
if(WIN32 AND NOT MSVC)
  add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/= -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
  add_link_options(-Wl,--no-insert-timestamp)
endif()
