# Builds the Windows Installer package with wixl. wixl reports what it does not support only as
# messages and warnings and still writes a package, so any output at all fails the build.
# It also refuses a package whose summary names another platform than its components are for
# (wixl takes the platform from --arch, the components' from the source).
# cmake -DWIXL=... -DMSIINFO=... -DSOURCE=hardness-table.wxs -DPLATFORM=x64|x86 -DPROGRAM=...exe
#       -DICON=...ico -DVERSION=1.2.3.0 -DOUTPUT=...msi [-DSOURCE_DATE_EPOCH=seconds]
#       -P build-msi.cmake
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
math(EXPR next_patch "${CMAKE_MATCH_3} + 1")
set(next_patch_version ${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${next_patch}.0)

# What differs between the platforms. Each has a component code of its own, since the two
# programs are different files in different folders.
if(PLATFORM STREQUAL x64)
  set(program_files ProgramFiles64Folder)
  set(win64 yes)
  set(component_guid E68084F8-3DFF-436C-8153-EF82D1EAACCC)
  set(summary_platform x64)
  set(component_attributes 256) # msidbComponentAttributes64bit
  set(product_name ${VERSION}) # the 64-bit package came first: its codes stay as they were
elseif(PLATFORM STREQUAL x86)
  set(program_files ProgramFilesFolder)
  set(win64 no)
  set(component_guid 05A6F14D-3512-4E30-8420-63FCD0C37B88)
  set(summary_platform Intel)
  set(component_attributes 0)
  set(product_name "${VERSION} ${PLATFORM}")
else()
  message(FATAL_ERROR "platform '${PLATFORM}': a Windows Installer package is for x64 or x86")
endif()
# One product code for each version and platform, derived from them: a new version is a new
# product, as a major upgrade requires, a rebuild is the same product, and the two platforms'
# packages of one version can replace each other.
string(UUID product_code NAMESPACE ${upgrade_code} NAME ${product_name} TYPE SHA1 UPPER)

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
  COMMAND ${WIXL} --arch ${PLATFORM} -D Version=${VERSION} -D NextPatchVersion=${next_patch_version}
          -D ProductCode=${product_code} -D UpgradeCode=${upgrade_code} -D Program=${program}
          -D Icon=${icon} -D ProgramFilesFolder=${program_files} -D Win64=${win64}
          -D ComponentGuid=${component_guid}
          -o ${OUTPUT} ${SOURCE}
  WORKING_DIRECTORY ${work_dir}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0 OR NOT output STREQUAL "")
  file(REMOVE ${OUTPUT})
  message(FATAL_ERROR "wixl (status ${status}):\n${output}")
endif()
msi_set_summary(${OUTPUT} ${SOURCE_DATE_EPOCH} ${upgrade_code} "${VERSION};${PLATFORM}")

execute_process(COMMAND ${MSIINFO} suminfo ${OUTPUT} OUTPUT_VARIABLE summary RESULT_VARIABLE status)
execute_process(COMMAND ${MSIINFO} export ${OUTPUT} Component OUTPUT_VARIABLE components)
string(REGEX MATCH "\nTemplate: ([^;\n]*)" template "${summary}")
set(template ${CMAKE_MATCH_1})
# After the three header lines, one component a line: Component, ComponentId, Directory_,
# Attributes, ...
string(REGEX MATCHALL "\n[^\t\n]+\t{[0-9A-F-]+}\t[^\t\n]*\t[0-9]+" rows "${components}")
set(disagreeing)
foreach(row ${rows})
  string(REGEX REPLACE ".*\t" "" attributes "${row}")
  math(EXPR bit "${attributes} & 256")
  if(NOT bit EQUAL component_attributes)
    list(APPEND disagreeing "${row}")
  endif()
endforeach()
if(NOT status EQUAL 0 OR NOT template STREQUAL summary_platform OR rows STREQUAL "" OR disagreeing)
  file(REMOVE ${OUTPUT})
  message(FATAL_ERROR "the package's platform is '${template}' (${summary_platform} expected), "
                      "its components: ${rows}; not for ${PLATFORM}: ${disagreeing}")
endif()
