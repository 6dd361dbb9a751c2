# Validates the AppStream metadata pedantically (-DAPPSTREAMCLI=... -DMETAINFO=...), or an
# installed tree's (-DVALIDATE=validate-tree -DMETAINFO=the tree's root). The program
# has no homepage, and AppStream 1.0 warns of that (0.16 does not): that one warning is allowed,
# since a made-up address would be worse; any other warning or error fails.
if(NOT VALIDATE)
  set(VALIDATE validate)
endif()
execute_process(COMMAND ${APPSTREAMCLI} ${VALIDATE} --no-net --pedantic ${METAINFO}
                RESULT_VARIABLE status OUTPUT_VARIABLE report ERROR_VARIABLE report)
message("${report}")
if(status EQUAL 0)
  return()
endif()
string(REGEX MATCHALL "(^|\n) *[EW]: [^\n]*" findings "${report}")
if(NOT findings)
  message(FATAL_ERROR "appstreamcli failed (${status}) and named no error or warning")
endif()
foreach(finding ${findings})
  string(STRIP "${finding}" finding)
  if(NOT finding MATCHES "^W: [^:]+:~: url-homepage-missing$")
    message(FATAL_ERROR "not allowed: ${finding}")
  endif()
endforeach()
