# Makes a package of a build tree into a fresh folder and unpacks it there, into root/.
# Arguments: -DCPACK=<cpack> -DCONFIG=<CPackConfig.cmake> -DDIR=<output folder>
#            -DGENERATOR=<DEB or ZIP>
file(REMOVE_RECURSE ${DIR})
execute_process(COMMAND ${CPACK} --config ${CONFIG} -G ${GENERATOR} -B ${DIR}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cpack failed: ${status}")
endif()
if(GENERATOR STREQUAL "DEB")
    file(GLOB packages ${DIR}/*.deb)
else()
    file(GLOB packages ${DIR}/*.zip)
endif()
list(LENGTH packages count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one package in ${DIR}, found: ${packages}")
endif()
file(MAKE_DIRECTORY ${DIR}/root)
if(GENERATOR STREQUAL "DEB")
    execute_process(COMMAND dpkg-deb -x ${packages} ${DIR}/root RESULT_VARIABLE status)
else()
    execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${packages} WORKING_DIRECTORY ${DIR}/root
                    RESULT_VARIABLE status)
endif()
if(NOT status EQUAL 0)
    message(FATAL_ERROR "unpacking ${packages} failed: ${status}")
endif()
