# Lays out the sample CD trees: the descriptions and payloads from the source tree, the engine
# and the setup host in the master directory and in every product that installs with them, the
# installation library beside its INF files, each package beside its product's description; then
# stamps every description with the native stamp command, which writes what the authoring tool's
# stamp writes.
cmake_minimum_required(VERSION 3.20)
file(REMOVE_RECURSE ${DESTINATION})
file(COPY ${SOURCE}/ DESTINATION ${DESTINATION})

foreach(dir CD1/master CD1/Reports CD1/Core/SHAREDRT CD2/Notes CD3/Data CD3/Viewer)
  file(COPY ${ENGINE} ${HOST} DESTINATION ${DESTINATION}/${dir})
endforeach()
foreach(dir CD1/Archive CD2/Archive)
  file(COPY ${INFLIB} DESTINATION ${DESTINATION}/${dir})
endforeach()

# The package products: the setup host runs their packages.
file(COPY ${NOTES_MSI} DESTINATION ${DESTINATION}/CD2/Notes)
file(COPY ${VIEWER_SETUP} DESTINATION ${DESTINATION}/CD3/Viewer)

file(GLOB_RECURSE descriptions ${DESTINATION}/prop.ini)
execute_process(COMMAND ${STAMP} ${descriptions} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "stamping the sample descriptions failed (${rc}):\n${out}${err}")
endif()
