# The shipped binaries: where each lands and what it tells Windows about
# itself, from the project's one version.

set(QLM_CMAKE_DIR ${CMAKE_CURRENT_LIST_DIR})
set(QLM_BINARIES_DIR ${CMAKE_BINARY_DIR}/binaries)
configure_file(${QLM_CMAKE_DIR}/qlm_version.h.in ${QLM_BINARIES_DIR}/qlm_version.h @ONLY)
configure_file(${QLM_CMAKE_DIR}/qlm_program.manifest.in ${QLM_BINARIES_DIR}/program.manifest @ONLY)
configure_file(${QLM_CMAKE_DIR}/qlm_manifest.rc.in ${QLM_BINARIES_DIR}/manifest.rc @ONLY)

# Gives a program (the shipped ones and those of the tests, which show the
# same windows) the manifest: common controls 6, DPI awareness, the
# supported Windows versions, and no elevation asked at start.
function(qlm_program_manifest target)
  set_source_files_properties(${QLM_BINARIES_DIR}/manifest.rc PROPERTIES
    OBJECT_DEPENDS ${QLM_BINARIES_DIR}/program.manifest)
  target_sources(${target} PRIVATE ${QLM_BINARIES_DIR}/manifest.rc)
endfunction()

# Gives a binary the version resource of the project's version under its
# file name. The test programs that stand in for the program carry the
# program's.
function(qlm_version_resource target file_name description)
  set(QLM_FILE_NAME ${file_name})
  set(QLM_DESCRIPTION ${description})
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(QLM_FILE_TYPE VFT_APP)
  else()
    set(QLM_FILE_TYPE VFT_DLL)
  endif()
  set(rc ${QLM_BINARIES_DIR}/${target}.rc)
  configure_file(${QLM_CMAKE_DIR}/qlm_binary.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${QLM_BINARIES_DIR}/qlm_version.h)
  target_sources(${target} PRIVATE ${rc})
  target_include_directories(${target} PRIVATE ${QLM_BINARIES_DIR})
endfunction()

# Places a target's file in the program folder under the file name the
# program knows it by (the helper programs carry the .bin name) and gives it
# the version resource; a PROGRAM also gets the manifest.
#
#   qlm_install_binary(target file_name DESCRIPTION text [PROGRAM])
function(qlm_install_binary target file_name)
  cmake_parse_arguments(PARSE_ARGV 2 ARG "PROGRAM" "DESCRIPTION" "")
  if(NOT ARG_DESCRIPTION)
    message(FATAL_ERROR "qlm_install_binary(${target}): DESCRIPTION is needed")
  endif()
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${QLM_PROGRAM_DIR}
    OUTPUT_NAME ${file_name}
    PREFIX ""
    SUFFIX "")
  qlm_version_resource(${target} ${file_name} "${ARG_DESCRIPTION}")
  if(ARG_PROGRAM)
    qlm_program_manifest(${target})
  endif()
endfunction()
