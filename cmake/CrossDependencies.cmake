# What the tests and ordavin-cli use, for a cross build to Windows, where the host's
# packages cannot be found or linked: CLI11 and nlohmann/json are header-only and are taken
# from the host as they are, GoogleTest is built from source (GoogleTestSources.cmake), and
# the tests are run under Wine (WineRunner.cmake).
include_guard(GLOBAL)

# The host's header-only libraries, each through a folder of its own: the whole of
# /usr/include on the include path would put glibc's headers before the target's.
function(ordavin_host_header_library target folder)
  set(host /usr/include/${folder})
  if(NOT EXISTS ${host})
    message(FATAL_ERROR "${host} is missing: install the library's Debian package.")
  endif()
  set(root ${PROJECT_BINARY_DIR}/host-headers/${folder})
  if(NOT EXISTS ${root}/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${host} ${root}/${folder} SYMBOLIC)
  endif()
  string(REPLACE "::" "_" name ${target})
  add_library(${name} INTERFACE)
  target_include_directories(${name} SYSTEM INTERFACE ${root})
  add_library(${target} ALIAS ${name})
endfunction()

ordavin_host_header_library(CLI11::CLI11 CLI)
ordavin_host_header_library(nlohmann_json::nlohmann_json nlohmann)

if(ORDAVIN_BUILD_TESTS)
  include(${CMAKE_CURRENT_LIST_DIR}/GoogleTestSources.cmake)
  include(${CMAKE_CURRENT_LIST_DIR}/WineRunner.cmake)
endif()
