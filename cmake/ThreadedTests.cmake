# The tests that run several threads at once, picked from the native suite's
# sources by what they contain, so that a new threaded test joins the
# ThreadSanitizer build (native-tsan) without anyone listing it; the rest of
# the suite would only make that build slower.
#
# A test source is threaded when it starts a thread itself (std::thread,
# std::jthread, std::async, or the headers they come from) or includes a
# header of the product or of the tests that does. The support sources, those
# without a test of their own, are always linked.
function(zr_threaded_test_sources result)
  set(starts_thread "std::j?thread|std::async|#include <(thread|future|stop_token)>")
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS
       RELATIVE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/src/*.h)
  file(GLOB test_headers CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/tests/shared/*.h)
  set(threaded_headers)
  foreach(header IN LISTS headers)
    file(READ ${CMAKE_SOURCE_DIR}/src/${header} text)
    if(text MATCHES "${starts_thread}")
      list(APPEND threaded_headers ${header})
    endif()
  endforeach()
  foreach(header IN LISTS test_headers)
    set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${header})
    file(READ ${CMAKE_SOURCE_DIR}/tests/${header} text)
    if(text MATCHES "${starts_thread}")
      list(APPEND threaded_headers ${header})
    endif()
  endforeach()
  list(TRANSFORM threaded_headers REPLACE "\\." "\\\\.")
  list(JOIN threaded_headers "|" threaded_header_pattern)

  set(selected)
  foreach(source IN LISTS ARGN)
    # A test that starts its first thread changes the selection: read again.
    set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    file(READ ${source} text)
    if(NOT text MATCHES "(^|\n)[ \t]*(TYPED_)?TEST(_F|_P)?\\(")
      list(APPEND selected ${source})  # support: helpers the tests call
    elseif(text MATCHES "${starts_thread}" OR text MATCHES "#include \"(${threaded_header_pattern})\"")
      list(APPEND selected ${source})
    endif()
  endforeach()
  set(${result} ${selected} PARENT_SCOPE)
endfunction()
