# What cpack makes of a Windows build: a zip, ordavin-cli-<version>-win64.zip, of one folder
# holding ordavin-cli.exe (statically linked, so nothing else is needed) and the series.
if(NOT WIN32)
  message(FATAL_ERROR "WindowsPackage.cmake is for Windows builds; Linux uses Packaging.cmake.")
endif()

set(CPACK_PACKAGE_NAME ordavin)
set(CPACK_PACKAGE_VENDOR Ordavin)
set(CPACK_PACKAGE_HOMEPAGE_URL ${ORDAVIN_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "standard resistor values for dividers and target resistances")
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME ordavin-cli-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)

include(CPack)
