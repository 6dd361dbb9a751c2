# The 32-bit Windows program (x86), for 32-bit systems and as the one file for any Windows.
set(MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
