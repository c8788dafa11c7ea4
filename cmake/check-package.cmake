# Makes the release package in BUILD and checks that it holds exactly the two plug-ins and
# the install note, and that Notepad shows the note right on every Windows (UTF-8 with a
# signature, CRLF line ends), in Japanese and in English. Run as: cmake -DBUILD=<build folder> -P check-package.cmake
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
set(unpacked ${BUILD}/package-check)
file(REMOVE_RECURSE ${unpacked})
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${zip} INSTALL.txt WORKING_DIRECTORY ${unpacked})
file(READ ${unpacked}/INSTALL.txt signature LIMIT 3 HEX)
file(READ ${unpacked}/INSTALL.txt note)
# Line ends as bytes: read as text, CMake gives CR LF as LF.
file(READ ${unpacked}/INSTALL.txt bytes HEX)
string(REGEX REPLACE "(..)" " \\1" bytes "${bytes}")
string(REPLACE " 0d 0a" "" without_crlf "${bytes}")
string(FIND "${without_crlf}" " 0a" bare_lf)
string(FIND "${note}" "インストール" japanese)
string(FIND "${note}" "Install" english)
if(NOT signature STREQUAL "efbbbf" OR NOT bare_lf EQUAL -1 OR japanese EQUAL -1 OR english EQUAL -1)
  message(FATAL_ERROR "INSTALL.txt: signature [${signature}], expected [efbbbf]; a line end "
                      "without CR (-1: none): ${bare_lf}; Japanese at ${japanese}, English at "
                      "${english} (-1: missing)")
endif()
message(STATUS "${zip}: ${entries}")
