# Builds the Windows Installer package with wixl. wixl reports what it does not support only as
# messages and warnings and still writes a package, so any output at all fails the build.
# cmake -DWIXL=... -DSOURCE=hardness-table.wxs -DPROGRAM=...exe -DICON=...ico -DVERSION=1.2.3.0
#       -DOUTPUT=...msi [-DSOURCE_DATE_EPOCH=seconds] -P build-msi.cmake
# Its times are SOURCE_DATE_EPOCH, or without one the program's own; its package code is derived
# from what it holds (msi-summary.cmake). So one source and program give one package.
include(${CMAKE_CURRENT_LIST_DIR}/msi-summary.cmake)

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
# What the package installs for, part of what its package code is derived from.
set(platform x64)

if("${SOURCE_DATE_EPOCH}" STREQUAL "")
  file(TIMESTAMP ${PROGRAM} SOURCE_DATE_EPOCH "%s" UTC)
endif()

# wixl finds files only by paths relative to the folder it runs in. The cabinet keeps the
# program's modification time, so wixl is given a copy that carries the package's time.
get_filename_component(work_dir ${PROGRAM} DIRECTORY)
get_filename_component(output_name ${OUTPUT} NAME)
get_filename_component(program_name ${PROGRAM} NAME)
set(payload ${work_dir}/${output_name}.payload/${program_name})
file(REMOVE ${OUTPUT} ${payload})
file(MAKE_DIRECTORY ${work_dir}/${output_name}.payload)
file(COPY_FILE ${PROGRAM} ${payload})
execute_process(COMMAND touch -d @${SOURCE_DATE_EPOCH} ${payload} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "touch ${payload} failed (status ${status})")
endif()
file(RELATIVE_PATH program ${work_dir} ${payload})
file(RELATIVE_PATH icon ${work_dir} ${ICON})
execute_process(
  COMMAND ${WIXL} --arch ${platform} -D Version=${VERSION} -D ProductCode=${product_code}
          -D UpgradeCode=${upgrade_code} -D Program=${program} -D Icon=${icon}
          -o ${OUTPUT} ${SOURCE}
  WORKING_DIRECTORY ${work_dir}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0 OR NOT output STREQUAL "")
  file(REMOVE ${OUTPUT})
  message(FATAL_ERROR "wixl (status ${status}):\n${output}")
endif()
msi_set_summary(${OUTPUT} ${SOURCE_DATE_EPOCH} ${upgrade_code} "${VERSION};${platform}")
