# Windows Installer packages (wixl, from msitools) and NSIS setup programs (makensis) built from
# sources in the tree: the sample suite's package products and the package fixtures of the tests.
# Both tools are required: a build without them stops here and says how to get them.
find_program(TESSARO_WIXL wixl)
find_program(TESSARO_MAKENSIS makensis)
foreach(tool wixl makensis)
  string(TOUPPER ${tool} upper)
  if(NOT TESSARO_${upper})
    message(FATAL_ERROR "${tool} was not found: the sample suite's packages and the package tests are built "
                        "with it. Install it with: bash scripts/install-deps.sh (Debian packages wixl and nsis)")
  endif()
endforeach()

# NSIS setups are built for the architecture of this build, so that they run wherever its
# programs run.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(TESSARO_NSIS_TARGET amd64-unicode)
else()
  set(TESSARO_NSIS_TARGET x86-unicode)
endif()

# tessaro_msi_package(<output .msi> <source .wxs> <files the source names...>): the source's
# files are looked up beside it.
function(tessaro_msi_package output source)
  get_filename_component(source_dir ${source} DIRECTORY)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${TESSARO_WIXL} -o ${output} ${source}
    WORKING_DIRECTORY ${source_dir}
    DEPENDS ${source} ${ARGN}
    COMMENT "Building the Windows Installer package ${output}"
    VERBATIM)
endfunction()

# tessaro_nsis_package(<output .exe> <source .nsi> <files the source names...>)
function(tessaro_nsis_package output source)
  get_filename_component(source_dir ${source} DIRECTORY)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${TESSARO_MAKENSIS} -V2 -DTARGET=${TESSARO_NSIS_TARGET} -DOUTFILE=${output} ${source}
    WORKING_DIRECTORY ${source_dir}
    DEPENDS ${source} ${ARGN}
    COMMENT "Building the NSIS setup program ${output}"
    VERBATIM)
endfunction()
