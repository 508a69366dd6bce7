# What cpack makes of an installed build. On Linux, a Debian package,
# ordavin_<version>_<arch>.deb, whose dependencies dpkg-shlibdeps reads from the binaries.
# Windows has its own (WindowsPackage.cmake); other systems keep CPack's defaults.
include(GNUInstallDirs)

# ordavin_release_time(<out-var>): the release day, ORDAVIN_RELEASE_DATE, as a changelog
# writes it ("Mon, 07 Dec 2026 00:00:00 +0000"). Its days since 1970 come from the civil
# calendar counted from March, and string(TIMESTAMP) names the weekday and month.
function(ordavin_release_time out)
  if(NOT ORDAVIN_RELEASE_DATE MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
    message(FATAL_ERROR "ORDAVIN_RELEASE_DATE '${ORDAVIN_RELEASE_DATE}' is not YYYY-MM-DD")
  endif()
  set(y ${CMAKE_MATCH_1})
  math(EXPR m "${CMAKE_MATCH_2}")
  math(EXPR d "${CMAKE_MATCH_3}")
  if(m LESS_EQUAL 2)
    math(EXPR y "${y} - 1")
    math(EXPR m "${m} + 9")
  else()
    math(EXPR m "${m} - 3")
  endif()
  math(EXPR seconds "(${y} * 365 + ${y} / 4 - ${y} / 100 + ${y} / 400
                      + (153 * ${m} + 2) / 5 + ${d} - 1 - 719468) * 86400")
  set(saved "$ENV{SOURCE_DATE_EPOCH}")
  set(ENV{SOURCE_DATE_EPOCH} ${seconds})
  string(TIMESTAMP time "%a, %d %b %Y %H:%M:%S +0000" UTC)
  set(ENV{SOURCE_DATE_EPOCH} "${saved}")
  set(${out} "${time}" PARENT_SCOPE)
endfunction()

set(CPACK_PACKAGE_NAME ordavin)
set(CPACK_PACKAGE_VENDOR Ordavin)
set(CPACK_PACKAGE_HOMEPAGE_URL ${ORDAVIN_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "standard resistor values for dividers and target resistances")
set(CPACK_PACKAGE_DESCRIPTION
    "Ordavin picks standard resistor values by exhaustive search. Describe a
resistor series in a small text file (the E3 to E192 series come with it),
untick the values that are not in your drawer, and search either for the upper
and lower networks of a voltage divider that come within a tolerance of a
division factor, with a source and a load, or for two to five resistors that
together make a target resistance. Every combination is visited and the best
matches are ranked by their error.

The package holds the desktop program, ordavin, and the command line,
ordavin-cli, which runs the same searches and writes text, JSON or CSV.")
set(CPACK_STRIP_FILES ON)

if(UNIX AND NOT APPLE)
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  # Installed with DESTDIR into /usr, so that what is written at install time (the desktop
  # entry, the manual pages) names the folders the package installs to.
  set(CPACK_SET_DESTDIR ON)
  set(CPACK_INSTALL_PREFIX /usr)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Ordavin maintainers <maintainers@ordavin.org>")
  set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

  # The copyright file and the changelog every Debian package carries.
  include(${PROJECT_SOURCE_DIR}/cmake/InstallCompressed.cmake)
  set(ORDAVIN_MAINTAINER ${CPACK_DEBIAN_PACKAGE_MAINTAINER})
  ordavin_release_time(ORDAVIN_RELEASE_TIME)
  string(SUBSTRING ${ORDAVIN_RELEASE_DATE} 0 4 ORDAVIN_RELEASE_YEAR)
  configure_file(packaging/changelog.in packaging/changelog @ONLY)
  configure_file(packaging/copyright.in packaging/copyright @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/packaging/copyright
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ordavin)
  ordavin_install_compressed(${PROJECT_BINARY_DIR}/packaging/changelog
                             ${CMAKE_INSTALL_DATADIR}/doc/ordavin changelog.gz)
endif()

include(CPack)
