# Installs the build into a scratch prefix and checks that everything a desktop needs is there.
# Called with -DBUILD_DIR=... -DPREFIX=... -DAPP_ID=...
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "install failed")
endif()
set(expected bin/hardness-table share/applications/${APP_ID}.desktop
             share/metainfo/${APP_ID}.metainfo.xml share/man/man1/hardness-table.1.gz
             share/doc/hardness-table/copyright share/doc/hardness-table/changelog.gz)
foreach(size 16 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
foreach(path ${expected})
  if(NOT EXISTS ${PREFIX}/${path})
    message(FATAL_ERROR "${path} not installed")
  endif()
endforeach()
file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
list(LENGTH installed count)
list(LENGTH expected wanted)
if(NOT count EQUAL wanted)
  message(FATAL_ERROR "installed ${count} files, expected ${wanted}: ${installed}")
endif()
