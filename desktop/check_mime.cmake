# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a private MIME database from the type definition and checks that
# *.sdk files get Corvel's puzzle type.
file(REMOVE_RECURSE ${WORK_DIR})
set(mime ${WORK_DIR}/share/mime)
file(MAKE_DIRECTORY ${mime}/packages)
configure_file(${MIME_XML} ${mime}/packages/corvel.xml COPYONLY)
# A data folder of its own, so that the tool warns about nothing but the file.
set(ENV{XDG_DATA_HOME} ${WORK_DIR}/share)
execute_process(COMMAND ${UPDATE_MIME_DATABASE} ${mime} RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT err STREQUAL "")
  message(FATAL_ERROR "update-mime-database rejected the type definition (${rc}): ${err}")
endif()
file(READ ${mime}/globs2 globs)
if(NOT globs MATCHES "text/x-corvel-sudoku:\\*\\.sdk")
  message(FATAL_ERROR "*.sdk is not mapped to text/x-corvel-sudoku:\n${globs}")
endif()
