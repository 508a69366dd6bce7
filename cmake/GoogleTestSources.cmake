# GoogleTest built with the target's compiler from Debian's sources (package googletest),
# giving the targets GTest::gtest and GTest::gtest_main that find_package(GTest) would.
include_guard(GLOBAL)

set(ORDAVIN_GOOGLETEST_SOURCE /usr/src/googletest/googletest
    CACHE PATH "GoogleTest's sources, for a cross build")
if(NOT EXISTS ${ORDAVIN_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${ORDAVIN_GOOGLETEST_SOURCE}: "
                      "install the Debian package googletest.")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# Windows' own threads rather than winpthreads.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
# SYSTEM: our warnings (and -Werror) are not GoogleTest's business.
add_subdirectory(${ORDAVIN_GOOGLETEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest
                 EXCLUDE_FROM_ALL SYSTEM)
# Its own CMakeLists names GTest::gtest and GTest::gtest_main already.
if(NOT TARGET GTest::gtest_main)
  add_library(GTest::gtest ALIAS gtest)
  add_library(GTest::gtest_main ALIAS gtest_main)
endif()
