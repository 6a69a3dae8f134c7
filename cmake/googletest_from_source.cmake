# GoogleTest built from source along with the tests, for a target that has no
# packaged GoogleTest (the Windows cross build). Gives the same GTest:: targets
# as find_package(GTest).
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${TVX_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

foreach(library gtest gtest_main gmock gmock_main)
  # Not our code: our warning flags are not its contract.
  set_target_properties(${library} PROPERTIES COMPILE_WARNING_AS_ERROR OFF)
  target_compile_options(${library} PRIVATE -w)
  if(NOT TARGET GTest::${library})
    add_library(GTest::${library} ALIAS ${library})
  endif()
endforeach()
