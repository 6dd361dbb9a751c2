# Read by cpack as it makes a package: every time stamp in it is the source's (CMake's archive
# writer sets each entry's time from SOURCE_DATE_EPOCH and then leaves gzip's out).
if(CPACK_SOURCE_DATE_EPOCH)
  set(ENV{SOURCE_DATE_EPOCH} ${CPACK_SOURCE_DATE_EPOCH})
endif()
