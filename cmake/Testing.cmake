# GoogleTest from Debian's source package, built with whichever toolchain is in use.
enable_testing()

set(VESTRADA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
if(VESTRADA_WINDOWS)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
endif()
add_subdirectory(${VESTRADA_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

include(GoogleTest)

# Test data written by other programs, read in place and never edited.
# A worktree elsewhere names it with -DVESTRADA_TESTDATA=<folder>.
if(NOT VESTRADA_TESTDATA)
  get_filename_component(VESTRADA_TESTDATA ${CMAKE_SOURCE_DIR}/../shared/testdata ABSOLUTE)
endif()

# vestrada_test(<name> SOURCES ... [LIBS ...] [GUI])
# Natively each test case is its own ctest entry; under Wine one entry per executable, since a
# Wine process per case is far too slow.
function(vestrada_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  # The source tree, for tests that read its files (the master language file, the sources' keys): named here,
  # not derived from __FILE__, whose form depends on how the compiler was called.
  target_compile_definitions(${name} PRIVATE VESTRADA_TESTDATA="${VESTRADA_TESTDATA}"
                                             VESTRADA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  if(VESTRADA_WINDOWS)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
    # Windows of every test process share the one desktop of the Wine server, and the tests find their
    # dialogs and drive focus and keys there: two such processes at once would act on each other's windows.
    if(T_GUI)
      set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine_desktop)
    endif()
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
