# Builds the Windows Installer package with wixl. wixl reports what it does not support only as
# messages and warnings and still writes a package, so any output at all fails the build.
# cmake -DWIXL=... -DSOURCE=hardness-table.wxs -DPROGRAM=...exe -DICON=...ico -DVERSION=1.2.3.0
#       -DOUTPUT=...msi -P build-msi.cmake

# Fixed for the life of the product: it is what lets every later package replace an earlier one.
set(upgrade_code A95F1C8A-F5B3-40C8-91BA-910BE479CC5A)

# Windows Installer compares only the first three fields (255.255.65535 at most) and ignores the
# fourth: two releases that differ in the fourth alone could not be told apart, an older one
# would not be refused, so such a version is refused here.
if(NOT VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)(\\.0)?$"
   OR CMAKE_MATCH_1 GREATER 255 OR CMAKE_MATCH_2 GREATER 255 OR CMAKE_MATCH_3 GREATER 65535)
  message(FATAL_ERROR "version ${VERSION}: a Windows Installer package needs MAJOR.MINOR.PATCH "
                      "(at most 255.255.65535) and a fourth field of 0")
endif()
# One product code for each version, derived from it: a new version is a new product, as a major
# upgrade requires, and a rebuild of the same version is the same product.
string(UUID product_code NAMESPACE ${upgrade_code} NAME ${VERSION} TYPE SHA1 UPPER)

# wixl finds files only by paths relative to the folder it runs in.
get_filename_component(work_dir ${PROGRAM} DIRECTORY)
file(RELATIVE_PATH program ${work_dir} ${PROGRAM})
file(RELATIVE_PATH icon ${work_dir} ${ICON})
file(REMOVE ${OUTPUT})
execute_process(
  COMMAND ${WIXL} --arch x64 -D Version=${VERSION} -D ProductCode=${product_code}
          -D UpgradeCode=${upgrade_code} -D Program=${program} -D Icon=${icon}
          -o ${OUTPUT} ${SOURCE}
  WORKING_DIRECTORY ${work_dir}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0 OR NOT output STREQUAL "")
  file(REMOVE ${OUTPUT})
  message(FATAL_ERROR "wixl (status ${status}):\n${output}")
endif()
