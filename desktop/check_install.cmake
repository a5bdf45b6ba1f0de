# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch prefix and checks that the programs, the
# printing program, the manual pages, the completion and every desktop file
# land where they are looked for.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${err}")
endif()
set(expected
  bin/corvel
  bin/corvel-cli
  share/applications/${ID}.desktop
  share/icons/hicolor/scalable/apps/${ID}.svg
  share/mime/packages/${ID}.xml
  share/metainfo/${ID}.metainfo.xml
  libexec/corvel/corvel-cli-print
  share/man/man6/corvel.6.gz
  share/man/man6/corvel-cli.6.gz
  share/bash-completion/completions/corvel-cli
  share/doc/corvel/copyright
  share/doc/corvel/changelog.gz)
foreach(f IN LISTS expected)
  if(NOT EXISTS ${PREFIX}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
foreach(f bin/corvel bin/corvel-cli)
  if(IS_DIRECTORY ${PREFIX}/${f})
    message(FATAL_ERROR "${f} is a folder")
  endif()
endforeach()
# The installed program takes the options of the desktop entry's command.
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND ${PREFIX}/bin/corvel --desktop --help RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_QUIET)
if(NOT rc EQUAL 0 OR NOT out MATCHES "--desktop")
  message(FATAL_ERROR "corvel --desktop --help: status ${rc}, output: ${out}")
endif()
execute_process(COMMAND ${PREFIX}/bin/corvel --no-such-option RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 2 OR NOT err MATCHES "Usage: corvel")
  message(FATAL_ERROR "corvel --no-such-option: status ${rc}, error output: ${err}")
endif()
# The installed corvel-cli finds its printing program in the install.
execute_process(COMMAND ${PREFIX}/bin/corvel-cli generate --seed 1
                COMMAND ${PREFIX}/bin/corvel-cli print - --layout small -o ${PREFIX}/puzzle.pdf
                RESULTS_VARIABLE rcs ERROR_VARIABLE err)
if(NOT rcs STREQUAL "0;0" OR NOT EXISTS ${PREFIX}/puzzle.pdf)
  message(FATAL_ERROR "corvel-cli generate | corvel-cli print: status ${rcs}: ${err}")
endif()
file(REMOVE_RECURSE ${PREFIX})
