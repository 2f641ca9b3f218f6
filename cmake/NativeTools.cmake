# The build never runs a Windows program (some build machines cannot run 32-bit ones at all):
# what it needs to run during the build is built for the build machine from the same sources.
include(ExternalProject)
set(TESSARO_NATIVE_DIR ${CMAKE_BINARY_DIR}/native)
set(TESSARO_NATIVE_STAMP ${TESSARO_NATIVE_DIR}/tessaro-stamp)
ExternalProject_Add(native_tools
  SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools/native
  BINARY_DIR ${TESSARO_NATIVE_DIR}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
  INSTALL_COMMAND ""
  BUILD_ALWAYS TRUE
  BUILD_BYPRODUCTS ${TESSARO_NATIVE_STAMP})
