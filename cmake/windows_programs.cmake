# Windows programs of the windows build, and their registration as Wine tests.

# tg_add_windows_program(name source...): a console program beside ml_tg.dll
# that needs no DLL other than the system's (Wine has no mingw runtime).
function(tg_add_windows_program name)
  add_executable(${name} ${ARGN})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests/wine)
  target_link_libraries(${name} PRIVATE tg_warnings ${TG_STATIC_RUNTIME})
  # Tests load the DLL at run time, so building a test must build the DLL too.
  add_dependencies(${name} ml_tg)
endfunction()

# tg_add_wine_test(name source...): builds name.exe with the wine_test.h harness
# and runs it under Wine + Xvfb as a ctest test of the same name.
function(tg_add_wine_test name)
  tg_add_windows_program(${name} ${ARGN} ${CMAKE_SOURCE_DIR}/tests/wine/wine_test_main.cpp)
  add_test(NAME ${name} COMMAND ${TG_WINE_RUNNER} $<TARGET_FILE:${name}>)
  tg_runs_under_wine(${name})
endfunction()

# tg_runs_under_wine(test...): the tests share one Wine prefix, made once by the
# tg_wine_prefix fixture, and run one at a time. They carry the label "wine",
# so a machine that cannot run them can leave them out (ctest -LE wine).
function(tg_runs_under_wine)
  set_tests_properties(${ARGN} PROPERTIES ENVIRONMENT "${TG_WINE_ENVIRONMENT}"
    FIXTURES_REQUIRED tg_wine_prefix RESOURCE_LOCK tg_wine_prefix)
  foreach(test IN LISTS ARGN)
    set_property(TEST ${test} APPEND PROPERTY LABELS wine)
  endforeach()
endfunction()

set(TG_WINE_RUNNER ${CMAKE_SOURCE_DIR}/scripts/run-wine-test.sh)
set(TG_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TG_WINEARCH win64)
else()
  set(TG_WINEARCH win32)
endif()
set(TG_WINE_ENVIRONMENT TG_WINEPREFIX=${TG_WINEPREFIX} TG_WINEARCH=${TG_WINEARCH})
add_test(NAME tg_wine_prefix COMMAND ${TG_WINE_RUNNER} --prepare)
set_tests_properties(tg_wine_prefix PROPERTIES ENVIRONMENT "${TG_WINE_ENVIRONMENT}"
  FIXTURES_SETUP tg_wine_prefix RESOURCE_LOCK tg_wine_prefix TIMEOUT 900 LABELS wine)
