# Makes the zip and the installer (cmake -P; see cmake/packaging.cmake for
# the variables it is given). Stages the folder JunkSweep first:
#   JunkSweep.exe   a stripped copy of PROGRAM
#   JunkSweep.lng, JunkSweep.xml, JunkSweep.rules.ini, common.xml   from BIN_DIR
#   Languages\*.lng   the translations, from BIN_DIR
#   README.txt, LICENSE.txt   with Windows line ends, for Notepad
cmake_minimum_required(VERSION 3.25)

set(stage_root ${PACKAGE_DIR}/stage)
set(stage ${stage_root}/JunkSweep)
file(REMOVE_RECURSE ${stage_root})
file(MAKE_DIRECTORY ${stage})

execute_process(COMMAND ${STRIP} --strip-all -o ${stage}/JunkSweep.exe ${PROGRAM} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "Cannot strip ${PROGRAM}")
endif()
foreach(name JunkSweep.lng JunkSweep.xml JunkSweep.rules.ini common.xml)
  file(COPY ${BIN_DIR}/${name} DESTINATION ${stage})
endforeach()
file(GLOB languages ${BIN_DIR}/Languages/*.lng)
file(COPY ${languages} DESTINATION ${stage}/Languages)
# The uninstaller removes the translations it installed, each by its name.
set(remove_languages "")
foreach(language ${languages})
  get_filename_component(name ${language} NAME)
  string(APPEND remove_languages "Delete \"$INSTDIR\\Languages\\${name}\"\n")
endforeach()
file(WRITE ${stage_root}/uninstall-languages.nsh "${remove_languages}")

function(write_windows_text from to)
  file(READ ${from} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "@VERSION@" "${VERSION}" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${to} "${text}")
endfunction()
write_windows_text(${SOURCE_DIR}/packaging/README.txt ${stage}/README.txt)
write_windows_text(${SOURCE_DIR}/LICENSE ${stage}/LICENSE.txt)

# The maker and the copyright line come from the program's version header.
foreach(field COMPANY COPYRIGHT)
  file(STRINGS ${VERSION_HEADER} line REGEX "^#define JUNKSWEEP_${field} ")
  string(REGEX REPLACE "^#define JUNKSWEEP_${field} \"(.*)\"$" "\\1" ${field} "${line}")
endforeach()

file(REMOVE ${ZIP} ${SETUP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip JunkSweep
  WORKING_DIRECTORY ${stage_root} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "Cannot write ${ZIP}")
endif()

execute_process(COMMAND ${MAKENSIS} -V2 -NOCD
    -DVERSION=${VERSION} -DSTAGE=${stage} -DICON=${SOURCE_DIR}/res/app/program.ico -DOUTFILE=${SETUP}
    "-DCOMPANY=${COMPANY}" "-DCOPYRIGHT=${COPYRIGHT}"
    ${SOURCE_DIR}/packaging/junksweep.nsi
  RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "makensis could not make ${SETUP}")
endif()
