# The type library fixture: fixtures/fixture_typelib.idl compiled by widl into
# build/<preset>/fixtures/fixture_typelib.tlb for the bitness of the build.
find_program(TESSARO_WIDL NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-widl widl REQUIRED)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(widl_target --win64)
else()
  set(widl_target --win32)
endif()
set(typelib_source ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/fixture_typelib.idl)
set(typelib_output ${CMAKE_BINARY_DIR}/fixtures/fixture_typelib.tlb)
add_custom_command(
  OUTPUT ${typelib_output}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/fixtures
  COMMAND ${TESSARO_WIDL} ${widl_target} -t -o ${typelib_output} ${typelib_source}
  DEPENDS ${typelib_source}
  COMMENT "Building the fixture type library"
  VERBATIM)
add_custom_target(fixture_typelib DEPENDS ${typelib_output})
list(APPEND TESSARO_FIXTURES fixture_typelib)
