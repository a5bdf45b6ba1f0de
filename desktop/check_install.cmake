# Installs the build into a scratch prefix and checks that the programs and
# every desktop file land where desktops look for them.
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
  share/metainfo/${ID}.metainfo.xml)
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
file(REMOVE_RECURSE ${PREFIX})
