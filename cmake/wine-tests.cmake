# The Windows build's tests, run under Wine when cross-compiling (the
# emulator runs the programs; run-e2e.py and the scripts put UNJAM_WRAP
# before them). Wine works in a prefix of its own in the build folder, made
# by the first test and kept up by one persistent wineserver, so that each
# program start costs a fraction of a second, not a boot.

# The hint after a missing `words` names the list beside the .exe, as Wine
# shows the build folder: on drive Z:, which is /.
string(REPLACE "/" "\\" build_folder "${PROJECT_BINARY_DIR}")
if(CMAKE_CROSSCOMPILING)
  set(build_folder "Z:${build_folder}")
endif()
set(UNJAM_USE_WORDS "copy \"${build_folder}\\words*\" .")

set(UNJAM_WINE_ENVIRONMENT
  "WINEPREFIX=${PROJECT_BINARY_DIR}/wineprefix"
  WINEDEBUG=-all
  # No prompts to install Mono or Gecko, which nothing here needs.
  "WINEDLLOVERRIDES=mscoree,mshtml="
  # Wine reads Unix file names and arguments as UTF-8 by this.
  LANG=C.UTF-8
  "UNJAM_WRAP=${CMAKE_CROSSCOMPILING_EMULATOR}")

# Runs every test of the calling folder under Wine; the first call also
# adds the tests that start and stop Wine around them all.
function(run_tests_under_wine)
  if(NOT CMAKE_CROSSCOMPILING)
    return()
  endif()
  get_property(tests DIRECTORY PROPERTY TESTS)
  get_property(fixture_added GLOBAL PROPERTY UNJAM_WINE_FIXTURE)
  if(NOT fixture_added)
    set_property(GLOBAL PROPERTY UNJAM_WINE_FIXTURE ON)
    set(script "${PROJECT_SOURCE_DIR}/tests/platform/wine-server.sh")
    add_test(NAME wine.start COMMAND bash "${script}" start)
    add_test(NAME wine.stop COMMAND bash "${script}" stop)
    set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine)
    set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)
    list(APPEND tests wine.start wine.stop)
  endif()
  foreach(test IN LISTS tests)
    if(NOT test MATCHES "^wine\\.")
      set_property(TEST ${test} PROPERTY FIXTURES_REQUIRED wine)
    endif()
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT ${UNJAM_WINE_ENVIRONMENT})
  endforeach()
endfunction()
