# Runs the cross-built tests under Wine: ctest (and gtest_discover_tests) start each .exe
# through CMAKE_CROSSCOMPILING_EMULATOR, here a small script that gives Wine a prefix of its
# own under the build folder and silences its debug output.
include_guard(GLOBAL)

if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  # Debian's wine64 puts its runner out of the PATH.
  find_program(ORDAVIN_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
  if(NOT ORDAVIN_WINE)
    message(FATAL_ERROR "No Wine to run the tests: install the Debian package wine64, "
                        "or set ORDAVIN_WINE to its runner.")
  endif()
  set(ORDAVIN_WINE_PREFIX ${PROJECT_BINARY_DIR}/wine)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${PROJECT_BINARY_DIR}/wine-run @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                  GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run)
endif()
# The tests are listed when ctest runs rather than after each link, so that building needs
# no Wine and a fresh prefix is set up once, by the first test run.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
