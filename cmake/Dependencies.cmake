# Third-party code built for the target: pugixml from Debian's source package,
# GoogleTest and GoogleMock from Debian's googletest sources.

set(DEPS_DIR ${CMAKE_BINARY_DIR}/_deps)
set(PUGIXML_SOURCE_DIR ${DEPS_DIR}/pugixml)
if(NOT EXISTS ${PUGIXML_SOURCE_DIR}/src/pugixml.cpp)
  message(STATUS "Fetching Debian's pugixml source package")
  execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/fetch-pugixml.sh ${DEPS_DIR}
                  RESULT_VARIABLE fetch_rc)
  if(NOT fetch_rc EQUAL 0)
    message(FATAL_ERROR "Could not fetch the pugixml source package")
  endif()
endif()
add_library(pugixml STATIC ${PUGIXML_SOURCE_DIR}/src/pugixml.cpp)
target_include_directories(pugixml SYSTEM PUBLIC ${PUGIXML_SOURCE_DIR}/src)

set(GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(BUILD_TESTING)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${DEPS_DIR}/googletest-build EXCLUDE_FROM_ALL)
endif()
