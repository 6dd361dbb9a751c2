# Checks that compiled Windows resources carry the icon, the version and the manifest: either
# compiles the resource script (-DWINDRES=... -DRC_FILE=... -DOUTPUT=...) or reads a linked
# program (-DOUTPUT=the .exe alone). -DVERSION=... in both cases.
if(RC_FILE)
  execute_process(COMMAND ${WINDRES} --preprocessor=cat ${RC_FILE} -O res -o ${OUTPUT}
                  RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "windres failed: ${errors}")
  endif()
endif()
file(READ ${OUTPUT} bytes HEX)

# The version as UTF-16 text, the way the string table holds it.
string(HEX "${VERSION}" version_hex)
string(REGEX REPLACE "(..)" "\\100" version_utf16 "${version_hex}")
string(FIND "${bytes}" "${version_utf16}" found)
if(found EQUAL -1)
  message(FATAL_ERROR "version ${VERSION} not found in the compiled resources")
endif()
# FILEVERSION 1,0,0,0 as the fixed record stores it: VS_FIXEDFILEINFO signature, then the words.
string(FIND "${bytes}" "bd04effe000001000000010000000000" fixed)
if(fixed EQUAL -1)
  message(FATAL_ERROR "fixed version record 1.0.0.0 not found")
endif()
# An icon group of two 16-colour images, 32 and 16 pixels wide.
string(FIND "${bytes}" "2020100001000400" large)
string(FIND "${bytes}" "1010100001000400" small)
if(large EQUAL -1 OR small EQUAL -1)
  message(FATAL_ERROR "icon group with 32 x 32 and 16 x 16 16-colour images not found")
endif()
# The manifest that asks for per-monitor DPI awareness and common controls 6.
string(HEX "PerMonitorV2" dpi_hex)
string(HEX "Microsoft.Windows.Common-Controls" controls_hex)
string(FIND "${bytes}" "${dpi_hex}" dpi)
string(FIND "${bytes}" "${controls_hex}" controls)
if(dpi EQUAL -1 OR controls EQUAL -1)
  message(FATAL_ERROR "manifest with DPI awareness and common controls 6 not found")
endif()
message(STATUS "resources compiled: ${OUTPUT}")
