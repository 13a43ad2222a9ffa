# The packages a Windows user downloads, made from the build's own program:
#   package/JunkSweep-<version>-win64.zip   the folder JunkSweep with the
#       program (stripped), its three files, README.txt and LICENSE.txt
#   package/JunkSweep-<version>-setup.exe   the installer (packaging/junksweep.nsi)
# The test build packages what it tests (a stripped copy of its program);
# scripts/package makes a Release build and copies both into dist/.

# A Release program is linked stripped; other builds keep their symbols for
# debugging, and the packages take a stripped copy.
target_link_options(JunkSweep PRIVATE $<$<CONFIG:Release>:-s>)

find_program(MAKENSIS makensis)
if(NOT MAKENSIS OR NOT CMAKE_STRIP)
  message(WARNING "No packages: makensis (Debian package nsis) or strip was not found.")
  return()
endif()

set(PACKAGE_DIR ${CMAKE_BINARY_DIR}/package)
set(PACKAGE_ZIP ${PACKAGE_DIR}/JunkSweep-${PROJECT_VERSION}-win64.zip)
set(PACKAGE_SETUP ${PACKAGE_DIR}/JunkSweep-${PROJECT_VERSION}-setup.exe)
add_custom_command(OUTPUT ${PACKAGE_ZIP} ${PACKAGE_SETUP}
  COMMAND ${CMAKE_COMMAND}
    -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DBIN_DIR=${CMAKE_BINARY_DIR}/bin -DPROGRAM=$<TARGET_FILE:JunkSweep>
    -DVERSION_HEADER=${CMAKE_BINARY_DIR}/generated/app/version.h -DVERSION=${PROJECT_VERSION}
    -DPACKAGE_DIR=${PACKAGE_DIR} -DZIP=${PACKAGE_ZIP} -DSETUP=${PACKAGE_SETUP}
    -DSTRIP=${CMAKE_STRIP} -DMAKENSIS=${MAKENSIS}
    -P ${CMAKE_CURRENT_LIST_DIR}/make_packages.cmake
  DEPENDS JunkSweep ${SHIPPED_OUTPUTS} ${CMAKE_CURRENT_LIST_DIR}/make_packages.cmake
    ${CMAKE_SOURCE_DIR}/packaging/junksweep.nsi ${CMAKE_SOURCE_DIR}/packaging/README.txt
    ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/res/app/program.ico
  COMMENT "Packaging JunkSweep ${PROJECT_VERSION}"
  VERBATIM)
add_custom_target(packages ALL DEPENDS ${PACKAGE_ZIP} ${PACKAGE_SETUP})

if(JUNKSWEEP_TESTS)
  # Unzips and installs the packages in the test bed and runs the program
  # from both places (a shell script: it unzips, mounts and copies prefixes,
  # which only the host can do).
  add_test(NAME package
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/package_test.sh ${CMAKE_BINARY_DIR} ${PACKAGE_ZIP} ${PACKAGE_SETUP})
  set_tests_properties(package PROPERTIES TIMEOUT 900)
endif()
