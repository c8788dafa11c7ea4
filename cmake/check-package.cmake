# Makes the release package in BUILD and checks that it holds exactly the two plug-ins and
# the install note. Run as: cmake -DBUILD=<build folder> -P check-package.cmake
include(${BUILD}/CPackConfig.cmake)  # the package's name, as CPack makes it
set(zip ${BUILD}/${CPACK_PACKAGE_FILE_NAME}.zip)
file(REMOVE ${zip})
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} -G ZIP WORKING_DIRECTORY ${BUILD}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT EXISTS ${zip})
  message(FATAL_ERROR "cpack did not make ${zip}:\n${output}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${zip} OUTPUT_VARIABLE listing)
string(REPLACE "\n" ";" entries "${listing}")
list(FILTER entries EXCLUDE REGEX "^$")
list(SORT entries)
set(expected INSTALL.txt altrowtint.scp altrowtint.sgp)
if(NOT entries STREQUAL expected)
  message(FATAL_ERROR "package holds [${entries}], expected [${expected}]")
endif()
message(STATUS "${zip}: ${entries}")
